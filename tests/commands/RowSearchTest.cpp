#include "commands/core/RowSearch.h"

#include <gtest/gtest.h>

#include "commands/core/GridRows.h"

namespace commands {
namespace {

using catalogue::DocumentList;

DocumentList Rows() {
  DocumentList list(6);
  list.SetField(0, 0, "a.doc");
  list.SetField(0, 4, "Suzuki");
  list.SetField(1, 0, "b.doc");
  list.SetField(1, 1, "\xE5\xB9\xB4\xE6\xAC\xA1\xE5\xA0\xB1\xE5\x91\x8A");  // 年次報告
  list.NoteUnreadable(2, "broken.doc",
                      "\xE5\xA3\x8A\xE3\x82\x8C\xE3\x81\xA6\xE3\x81\x84\xE3\x82\x8B");
  list.SetField(3, 0, "c.doc");
  list.SetField(3, 6, "SUZUKI's notes");
  return list;
}

TEST(RowSearch, FindsTheNextRowGoingOnFromTheTopAndEndingWhereItStarted) {
  DocumentList list = Rows();
  EXPECT_EQ(FindRowHolding(list, "suzuki", -1), 0);
  EXPECT_EQ(FindRowHolding(list, "suzuki", 0), 3);                    // any field, either case
  EXPECT_EQ(FindRowHolding(list, "suzuki", 3), 0);                    // round past the last row
  EXPECT_EQ(FindRowHolding(list, "a.doc", 0), 0);                     // the row itself, last
  EXPECT_EQ(FindRowHolding(list, "\xE5\xA0\xB1\xE5\x91\x8A", 0), 1);  // 報告
  EXPECT_EQ(FindRowHolding(list, "broken", 0), 2);  // an unreadable row by its name
  EXPECT_EQ(FindRowHolding(list, "nowhere", 0), std::nullopt);
  EXPECT_EQ(FindRowHolding(list, "", 0), std::nullopt);
  EXPECT_EQ(FindRowHolding(list, "c.doc", 99), 3);
  // A byte of a character never matches a letter folded.
  EXPECT_FALSE(HoldsIgnoringCase("\xC3\xA9", "\xC3\x89"));
}

TEST(RowSearch, CopiedRowsAreThoseOfTheSelectionThatHoldADocument) {
  DocumentList list = Rows();
  EXPECT_EQ(CsvText(list, {2, 3, 5}), "c.doc,,,,,,SUZUKI's notes,,,,,,\r\n");
  std::string html = HtmlTable(list, {0, 2});
  EXPECT_NE(html.find("<th>\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE5\x90\x8D</th>"),
            std::string::npos);  // ファイル名
  EXPECT_NE(html.find(">a.doc</td>"), std::string::npos);
  EXPECT_EQ(html.find("broken"), std::string::npos);
}

}  // namespace
}  // namespace commands
