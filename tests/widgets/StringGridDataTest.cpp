#include "widgets/core/StringGridData.h"

#include <gtest/gtest.h>

#include "tests/widgets/TableCells.h"

namespace widgets {
namespace {

TEST(StringGridData, ShowsTheCellsItIsGivenAndNothingOutsideThem) {
  TableCells cells(4);
  cells.Set(0, 1, "a");
  cells.Set(2, 3, "b");
  StringGridData grid(cells, 3, 1, 1);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.Cell(0, 1), "a");
  EXPECT_EQ(grid.Cell(2, 3), "b");
  EXPECT_EQ(grid.Cell(3, 3), "");  // past the last column
  EXPECT_EQ(grid.Cell(0, 9), "");
  EXPECT_EQ(grid.Cell(-1, 0), "");
  EXPECT_EQ(grid.Style(7, 7), CellStyle{});
  // Rows the cells gain or lose are the grid's at once.
  cells.rows.resize(8);
  cells.Set(0, 7, "c");
  EXPECT_EQ(grid.RowCount(), 8);
  EXPECT_EQ(grid.Cell(0, 7), "c");
  cells.rows.clear();
  EXPECT_EQ(grid.RowCount(), 2);  // the fixed row and one data row, at least
}

TEST(StringGridData, SelectionStaysOnTheDataRowsThereAre) {
  TableCells cells(6);
  StringGridData grid(cells, 3, 1, 1);
  grid.SelectRow(5);
  cells.rows.resize(3);
  EXPECT_EQ(grid.SelectionTop(), 2);
  EXPECT_EQ(grid.SelectionBottom(), 2);
  grid.SelectRow(0);
  EXPECT_EQ(grid.SelectionTop(), 1);  // never a fixed row
  grid.SelectRow(99);
  EXPECT_EQ(grid.SelectionTop(), 2);
}

TEST(StringGridData, StylesAreSetPerColumnForTheFixedRowsAndTheRest) {
  TableCells cells(5);
  StringGridData grid(cells, 3, 1, 1);
  CellStyle heading;
  heading.alignment = CellAlignment::Center;
  CellStyle red;
  red.background = 255;
  grid.SetHeadingStyle(2, heading);
  grid.SetColumnStyle(2, red);
  grid.SetColumnStyle(3, red);  // no such column: nothing
  EXPECT_EQ(grid.Style(2, 0), heading);
  EXPECT_EQ(grid.Style(2, 1), red);
  EXPECT_EQ(grid.Style(2, 4), red);
  EXPECT_EQ(grid.Style(1, 4), CellStyle{});
  EXPECT_EQ(grid.Style(2, 5), CellStyle{});  // below the last row
}

TEST(StringGridData, WidthsAreHeldWithinTheirRange) {
  TableCells cells(2);
  StringGridData grid(cells, 3, 1, 1);
  grid.SetColWidth(1, -5);
  EXPECT_EQ(grid.ColWidth(1), 0);
  grid.SetColWidth(2, StringGridData::kMaxColWidth + 1);
  EXPECT_EQ(grid.ColWidth(2), StringGridData::kMaxColWidth);
  grid.SetColWidth(3, 10);
  EXPECT_EQ(grid.ColWidth(3), 0);
}

}  // namespace
}  // namespace widgets
