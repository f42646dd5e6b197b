#include "widgets/core/StringGridData.h"

#include <gtest/gtest.h>

namespace widgets {
namespace {

StringGridData Numbered(int rows) {
  StringGridData grid(3, rows, 1, 1);
  for (int row = 0; row < rows; ++row) {
    grid.SetCell(0, row, "r" + std::to_string(row));
    CellStyle style;
    style.background = static_cast<ColorRef>(row);
    grid.SetStyle(0, row, style);
  }
  return grid;
}

std::string Column0(const StringGridData& grid) {
  std::string text;
  for (int row = 0; row < grid.RowCount(); ++row) {
    text += grid.Cell(0, row) + " ";
  }
  return text;
}

TEST(StringGridData, MovingARowMovesItsCellsAndStyles) {
  StringGridData grid = Numbered(5);
  grid.MoveRow(1, 3);
  EXPECT_EQ(Column0(grid), "r0 r2 r3 r1 r4 ");
  EXPECT_EQ(grid.Style(0, 3).background, 1u);
  grid.MoveRow(4, 1);
  EXPECT_EQ(Column0(grid), "r0 r4 r2 r3 r1 ");
  // The fixed row and rows outside the grid do not move.
  grid.MoveRow(0, 2);
  grid.MoveRow(1, 9);
  EXPECT_EQ(Column0(grid), "r0 r4 r2 r3 r1 ");
}

TEST(StringGridData, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
  StringGridData grid(3, 4, 1, 1);
  grid.SetCell(3, 1, "x");
  grid.SetCell(0, 9, "x");
  grid.SetCell(-1, 0, "x");
  EXPECT_EQ(grid.Cell(3, 1), "");
  EXPECT_EQ(grid.Cell(0, 9), "");
  EXPECT_EQ(grid.Style(7, 7), CellStyle{});
}

TEST(StringGridData, RowCountAndSelectionStayInBounds) {
  StringGridData grid = Numbered(5);
  grid.SelectRow(4);
  grid.SetRowCount(3);
  EXPECT_EQ(grid.SelectionTop(), 2);
  grid.SetRowCount(0);
  EXPECT_EQ(grid.RowCount(), 2);  // the fixed row and one data row
  grid.SelectRow(0);
  EXPECT_EQ(grid.SelectionTop(), 1);  // never a fixed row
  grid.SetRowCount(6);
  EXPECT_EQ(grid.Cell(0, 5), "");
}

TEST(StringGridData, RemovingRowsMovesTheRestUpWithTheirStyles) {
  StringGridData grid(3, 7, 1, 1);
  for (int row = 1; row < 7; ++row) {
    grid.SetCell(0, row, "r" + std::to_string(row));
  }
  CellStyle red;
  red.background = 255;
  grid.SetStyle(2, 5, red);
  grid.SelectRow(6);
  grid.RemoveRows(2, 2);  // r2 and r3
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.Cell(0, 2), "r4");
  EXPECT_EQ(grid.Cell(0, 4), "r6");
  EXPECT_EQ(grid.Style(2, 3), red);   // r5's style went with it
  EXPECT_EQ(grid.SelectionTop(), 4);  // held within the rows left
  grid.RemoveRows(0, 1);              // the heading row stays
  grid.RemoveRows(3, 5);              // beyond the last row: nothing
  EXPECT_EQ(grid.RowCount(), 5);
  grid.RemoveRows(1, 4);  // every data row: one empty one stays
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(0, 1), "");
}

}  // namespace
}  // namespace widgets
