#include "app/core/ListGrid.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/core/ColumnWidths.h"
#include "catalogue/core/ListFile.h"
#include "platform/text/Cp932.h"
#include "tests/support/TempDir.h"

namespace app {
namespace {

using widgets::StringGridData;

// The layout of a list grid over a list of the window's starting rows.
struct ListGridFixture : ::testing::Test {
  catalogue::DocumentList list{kListGridStartRows - 1};
  ListGridCells cells{list};

  StringGridData MakeListGrid() { return app::MakeListGrid(cells); }
};

TEST_F(ListGridFixture, ShowsTheListUnderItsHeadingsWithTheDesignedLayout) {
  StringGridData grid = MakeListGrid();
  EXPECT_EQ(grid.ColCount(), 11);
  EXPECT_EQ(grid.RowCount(), 50);
  EXPECT_EQ(grid.FixedCols(), 2);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_EQ(grid.RowHeight(), 17);
  EXPECT_EQ(grid.ColWidth(0), 146);
  EXPECT_EQ(grid.ColWidth(1), 202);
  EXPECT_EQ(grid.ColWidth(10), 100);
  EXPECT_EQ(grid.Cell(0, 0), "ファイル名");
  EXPECT_EQ(grid.Cell(10, 0), "作成日時");
  EXPECT_EQ(grid.Style(3, 0).text, widgets::kWhite);
  EXPECT_EQ(grid.Style(3, 0).alignment, widgets::CellAlignment::Center);
  EXPECT_EQ(grid.Style(0, 0).background, std::nullopt);  // the fixed colour
  EXPECT_EQ(grid.Style(1, 30).background, widgets::kWhite);
  EXPECT_EQ(grid.Style(2, 30).background, std::nullopt);

  // Row N of the grid is row N - 1 of the list, and the grid follows the
  // list's length.
  list.SetField(0, 1, "first");
  list.SetRowCount(60);
  list.SetField(59, 0, "last.doc");
  EXPECT_EQ(grid.Cell(1, 1), "first");
  EXPECT_EQ(grid.RowCount(), 61);
  EXPECT_EQ(grid.Cell(0, 60), "last.doc");
  EXPECT_EQ(grid.Cell(11, 1), "");  // nothing beyond column 10
}

TEST_F(ListGridFixture, ColumnWidthsAreReadLineByLine) {
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

TEST_F(ListGridFixture, ColumnWidthsAreSavedAsTwelveLinesAndReadBack) {
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

// Two instances ending at the same moment, fifty times over, each having
// changed one column: both changes are kept, and the columns neither
// changed keep the file's widths.
TEST_F(ListGridFixture, TwoInstancesEndingTogetherKeepBothWidthChanges) {
  testsupport::TempDir dir;
  std::string path = dir.File(kColumnWidthFileName);
  for (int round = 0; round < 50; ++round) {
    StringGridData start = MakeListGrid();
    start.SetColWidth(5, 77);  // a width another run saved
    SaveColumnWidths(path, start);
    StringGridData first = MakeListGrid();
    StringGridData second = MakeListGrid();
    LoadColumnWidths(path, first);
    LoadColumnWidths(path, second);
    std::vector<int> firstLoaded = ColumnWidthsOf(first);
    std::vector<int> secondLoaded = ColumnWidthsOf(second);
    first.SetColWidth(1, 240 + round);
    second.SetColWidth(3, 150 + round);
    std::thread a([&] { SaveColumnWidthsMerged(path, first, firstLoaded); });
    std::thread b([&] { SaveColumnWidthsMerged(path, second, secondLoaded); });
    a.join();
    b.join();
    StringGridData saved = MakeListGrid();
    LoadColumnWidths(path, saved);
    ASSERT_EQ(saved.ColWidth(1), 240 + round) << round;
    ASSERT_EQ(saved.ColWidth(3), 150 + round) << round;
    ASSERT_EQ(saved.ColWidth(5), 77);
  }
}

}  // namespace
}  // namespace app
