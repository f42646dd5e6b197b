#include "catalogue/core/DocumentList.h"

#include <gtest/gtest.h>

#include "catalogue/core/ListFile.h"
#include "platform/files/ProgramPaths.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

std::string Names(const DocumentList& list) {
  std::string names;
  for (int row = 0; row < list.RowCount(); ++row) {
    names += (list.HoldsDocument(row) ? list.Field(row, 0) : "-") + " ";
  }
  return names;
}

DocumentList Numbered(int rows) {
  DocumentList list(rows);
  for (int row = 0; row < rows; ++row) {
    list.SetField(row, 0, "r" + std::to_string(row));
    list.SetField(row, 10, "c" + std::to_string(row));
  }
  return list;
}

TEST(DocumentList, RowsMoveRemoveAndArrangeWithAllTheirFields) {
  DocumentList list = Numbered(5);
  list.MoveRow(0, 3);
  EXPECT_EQ(Names(list), "r1 r2 r3 r0 r4 ");
  EXPECT_EQ(list.Field(3, 10), "c0");
  list.MoveRow(4, 0);
  EXPECT_EQ(Names(list), "r4 r1 r2 r3 r0 ");
  list.MoveRow(1, 9);  // outside the list: nothing
  list.MoveRow(-1, 2);
  EXPECT_EQ(Names(list), "r4 r1 r2 r3 r0 ");

  std::vector<DocumentList::Row> taken = list.TakeRows({1, 2});
  EXPECT_EQ(Names(list), "r4 r3 r0 ");
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[1].fields[0], "r2");
  for (const std::vector<int>& bad : std::vector<std::vector<int>>{{2, 5}, {1, 1}, {2, 0}}) {
    EXPECT_TRUE(list.TakeRows(bad).empty());  // outside, twice, out of order: nothing
    EXPECT_EQ(list.RowCount(), 3);
  }

  list.Arrange({2, 0, 1});
  EXPECT_EQ(Names(list), "r0 r4 r3 ");
  EXPECT_EQ(list.Field(0, 10), "c0");
  for (const std::vector<int>& bad : std::vector<std::vector<int>>{{0, 1}, {0, 0, 1}, {0, 1, 3}}) {
    list.Arrange(bad);  // not every row once: nothing
    EXPECT_EQ(Names(list), "r0 r4 r3 ");
  }

  taken = list.TakeRows({0, 1, 2});  // every row: one blank row stays
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(Names(list), "- ");
}

// Rows taken anywhere come back each to its place, with what was noted of
// them, however many and however scattered.
TEST(DocumentList, TakenRowsComeBackToTheirPlaces) {
  DocumentList list = Numbered(9);
  list.NoteUnreadable(4, "broken.doc", "why");
  std::string before = Names(list);
  std::vector<int> rows = {0, 4, 5, 8};
  std::vector<DocumentList::Row> taken = list.TakeRows(rows);
  EXPECT_EQ(Names(list), "r1 r2 r3 r6 r7 ");
  EXPECT_EQ(taken[1].note->name, "broken.doc");
  list.PutBackRows(rows, std::move(taken));
  EXPECT_EQ(Names(list), before);
  EXPECT_EQ(list.UnreadableName(4), "broken.doc");
  EXPECT_EQ(list.UnreadableReason(4), "why");
  EXPECT_EQ(list.UnreadableName(3), "");
  list.PutBackRows({0, 20}, std::vector<DocumentList::Row>(2));  // beyond the end: nothing
  EXPECT_EQ(Names(list), before);
}

TEST(DocumentList, FieldsOutsideTheListReadEmptyAndIgnoreWrites) {
  DocumentList list(0);
  EXPECT_EQ(list.RowCount(), 1);  // never fewer than one row
  list.SetField(0, 11, "x");
  list.SetField(1, 0, "x");
  list.SetField(0, -1, "x");
  EXPECT_EQ(list.Field(0, 11), "");
  EXPECT_EQ(list.Field(1, 0), "");
  EXPECT_EQ(list.Field(-1, 0), "");
  EXPECT_EQ(std::string(DocumentList::Heading(0)), "ファイル名");
  EXPECT_EQ(std::string(DocumentList::Heading(10)), "作成日時");
  EXPECT_EQ(std::string(DocumentList::Heading(11)), "");
}

TEST(DocumentList, LoadingAShorterListEmptiesTheRowsBelowItButKeepsTheRowCount) {
  testsupport::TempDir dir;
  std::string path = dir.File(platform::kListFileName);
  std::vector<std::string> lines;
  for (int i = 1; i <= 60; ++i) {
    lines.push_back("f" + std::to_string(i) + ".doc;t" + std::to_string(i) + ";;;;;;;;;;");
  }
  WriteListFile(path, lines);
  DocumentList list(49);
  list.Load(path);
  EXPECT_EQ(list.RowCount(), 60);
  EXPECT_EQ(list.Field(59, 0), "f60.doc");

  WriteListFile(path, {lines[0], lines[1], lines[2]});
  list.Load(path);
  EXPECT_EQ(list.RowCount(), 60);
  EXPECT_EQ(list.Field(2, 1), "t3");
  for (int row = 3; row < 60; ++row) {
    for (int field = 0; field < 11; ++field) {
      ASSERT_EQ(list.Field(row, field), "") << field << "," << row;
    }
  }
}

TEST(DocumentList, EveryLineIsARowOfElevenFieldsAndEmptyLinesAreUnreadableFiles) {
  testsupport::TempDir dir;
  std::string path = dir.File(platform::kListFileName);
  // An empty line (a file the scan could not read), a short line (its rest
  // has no ";" after field 2), a line with the grid's tail, and a line with
  // a twelfth value.
  WriteListFile(path, {"", "a;b;c", "f;t;d;s;a;k;c;l;r;p;c2;;", "1;2;3;4;5;6;7;8;9;10;11;12;"});
  DocumentList list(6);
  list.SetField(0, 5, "old");
  list.Load(path);
  EXPECT_EQ(list.Field(0, 5), "");
  EXPECT_TRUE(list.FromUnreadableFile(0));
  EXPECT_FALSE(list.HoldsDocument(0));
  EXPECT_EQ(list.Field(1, 0), "a");
  EXPECT_EQ(list.Field(1, 1), "b");
  EXPECT_EQ(list.Field(1, 2), "");  // "c" has no ";" after it
  EXPECT_EQ(list.Field(2, 10), "c2");
  EXPECT_EQ(list.Field(3, 10), "11");
  EXPECT_FALSE(list.FromUnreadableFile(3));
  EXPECT_FALSE(list.FromUnreadableFile(4));  // a blank row, not from the file
  EXPECT_EQ(list.DocumentRows(), (std::vector<int>{1, 2, 3}));

  // The mark goes with its row and goes when the row is emptied.
  list.MoveRow(0, 4);
  EXPECT_TRUE(list.FromUnreadableFile(4));
  list.EmptyRow(4);
  EXPECT_FALSE(list.FromUnreadableFile(4));

  // A missing list file leaves the rows empty.
  list.Load(dir.File("missing"));
  EXPECT_EQ(Names(list), "- - - - - - ");
}

}  // namespace
}  // namespace catalogue
