#include "app/core/ListGrid.h"

#include <gtest/gtest.h>

#include "app/core/ColumnWidths.h"
#include "catalogue/core/ListFile.h"
#include "platform/text/Cp932.h"
#include "tests/support/TempDir.h"

namespace app {
namespace {

using widgets::StringGridData;

std::string Line(int n) {
  return "f" + std::to_string(n) + ".doc;t" + std::to_string(n) + ";;;;;;;;;;";
}

TEST(ListGrid, StartsWithTheDesignedLayoutAndHeadings) {
  StringGridData grid = MakeListGrid();
  EXPECT_EQ(grid.ColCount(), 11);
  EXPECT_EQ(grid.RowCount(), 50);
  EXPECT_EQ(grid.FixedCols(), 2);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.RowHeight(), 17);
  EXPECT_EQ(grid.ColWidth(0), 146);
  EXPECT_EQ(grid.ColWidth(1), 202);
  EXPECT_EQ(grid.ColWidth(10), 100);
  SetColumnHeadings(grid);
  EXPECT_EQ(platform::Cp932ToUtf8(grid.Cell(0, 0)), "ファイル名");
  EXPECT_EQ(platform::Cp932ToUtf8(grid.Cell(10, 0)), "作成日時");
  EXPECT_EQ(grid.Style(3, 0).text, widgets::kWhite);
  EXPECT_EQ(grid.Style(3, 0).alignment, widgets::CellAlignment::Center);
}

TEST(ListGrid, LoadingAShorterListEmptiesTheRowsBelowItButKeepsTheRowCount) {
  testsupport::TempDir dir;
  std::string path = dir.File(catalogue::kListFileName);
  StringGridData grid = MakeListGrid();
  std::vector<std::string> lines;
  for (int i = 1; i <= 60; ++i) {
    lines.push_back(Line(i));
  }
  catalogue::WriteListFile(path, lines);
  LoadDocumentList(path, grid);
  EXPECT_EQ(grid.RowCount(), 61);
  EXPECT_EQ(grid.Cell(0, 60), "f60.doc");
  EXPECT_EQ(grid.Style(0, 60).background, widgets::kWhite);  // added rows look like the others

  catalogue::WriteListFile(path, {Line(1), Line(2), Line(3)});
  LoadDocumentList(path, grid);
  EXPECT_EQ(grid.RowCount(), 61);
  EXPECT_EQ(grid.Cell(1, 3), "t3");
  for (int row = 4; row <= 60; ++row) {
    for (int col = 0; col < 11; ++col) {
      ASSERT_EQ(grid.Cell(col, row), "") << col << "," << row;
    }
  }
}

TEST(ListGrid, EveryLineIsARowWithElevenFields) {
  testsupport::TempDir dir;
  std::string path = dir.File(catalogue::kListFileName);
  // An empty line, a short line (its rest has no ";" after field 2), a line
  // with the grid's tail, and a line with a twelfth value.
  catalogue::WriteListFile(
      path, {"", "a;b;c", "f;t;d;s;a;k;c;l;r;p;c2;;", "1;2;3;4;5;6;7;8;9;10;11;12;"});
  StringGridData grid = MakeListGrid();
  grid.SetCell(5, 1, "old");
  LoadDocumentList(path, grid);
  EXPECT_EQ(grid.Cell(5, 1), "");
  EXPECT_EQ(grid.Cell(0, 2), "a");
  EXPECT_EQ(grid.Cell(1, 2), "b");
  EXPECT_EQ(grid.Cell(2, 2), "");  // "c" has no ";" after it
  EXPECT_EQ(grid.Cell(10, 3), "c2");
  EXPECT_EQ(grid.Cell(10, 4), "11");
  EXPECT_EQ(grid.Cell(11, 4), "");  // nothing beyond column 10

  // A missing list file leaves the grid empty.
  LoadDocumentList(dir.File("missing"), grid);
  EXPECT_EQ(grid.Cell(0, 2), "");
}

TEST(ColumnWidths, ReadsTheFileLineByLine) {
  StringGridData grid = MakeListGrid();
  ApplyColumnWidthText(
      "[Version]=1.00\r\n[ColWidths[3]]=abc\r\n[colwidths[4]]=50\r\n"
      "[ColWidths[10]]=77\r\n[ColWidths[10]]=88\r\nnonsense\r\n[ColWidths[11]]=5\n",
      grid);
  EXPECT_EQ(grid.ColWidth(3), 100);  // not a number
  EXPECT_EQ(grid.ColWidth(4), 122);  // key in other letter case: ignored
  EXPECT_EQ(grid.ColWidth(10), 88);  // the later line wins
  EXPECT_EQ(grid.ColWidth(0), 146);

  StringGridData single = MakeListGrid();
  ApplyColumnWidthText("[ColWidths[10]]=42", single);
  for (int col = 0; col < 10; ++col) {
    EXPECT_EQ(single.ColWidth(col), MakeListGrid().ColWidth(col));
  }
  EXPECT_EQ(single.ColWidth(10), 42);
}

TEST(ColumnWidths, SavesTwelveLinesAndReadsThemBack) {
  testsupport::TempDir dir;
  std::string path = dir.File(kColumnWidthFileName);
  StringGridData grid = MakeListGrid();
  LoadColumnWidths(path, grid);  // missing: designed widths stay
  EXPECT_EQ(grid.ColWidth(0), 146);
  grid.SetColWidth(0, 200);
  SaveColumnWidths(path, grid);
  std::string text = testsupport::ReadAll(path);
  EXPECT_EQ(text.substr(0, 38), "[Version]=1.00\r\n[ColWidths[0]]=200\r\n[C");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
  StringGridData again = MakeListGrid();
  LoadColumnWidths(path, again);
  EXPECT_EQ(again.ColWidth(0), 200);
}

}  // namespace
}  // namespace app
