#include "commands/core/GridRows.h"

#include <gtest/gtest.h>

namespace commands {
namespace {

using widgets::StringGridData;

// A list grid of `rows` rows whose first `filled` data rows hold "dN" in
// column 0 and "tN" in column 1.
StringGridData Grid(int rows, int filled) {
  StringGridData grid(11, rows, 2, 1);
  for (int row = 1; row <= filled; ++row) {
    grid.SetCell(0, row, "d" + std::to_string(row));
    grid.SetCell(1, row, "t" + std::to_string(row));
  }
  return grid;
}

std::string Names(const StringGridData& grid) {
  std::string names;
  for (int row = 1; row < grid.RowCount(); ++row) {
    names += (grid.Cell(0, row).empty() ? "-" : grid.Cell(0, row)) + " ";
  }
  return names;
}

TEST(DeleteRows, RemovesTheRowAndClosesTheGap) {
  StringGridData grid = Grid(6, 4);
  grid.SelectRow(2);
  DeleteRows(grid, 2, 2);
  EXPECT_EQ(Names(grid), "d1 d3 d4 - ");
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.SelectionTop(), 2);  // now on the row that followed
  EXPECT_EQ(grid.Cell(1, 2), "t3");   // every column moved
}

TEST(DeleteRows, TheLastRowMovesTheSelectionUp) {
  StringGridData grid = Grid(5, 4);
  grid.SelectRow(4);
  DeleteRows(grid, 4, 4);
  EXPECT_EQ(Names(grid), "d1 d2 d3 ");
  EXPECT_EQ(grid.SelectionTop(), 3);
}

TEST(DeleteRows, TheOnlyDataRowIsEmptiedNotRemoved) {
  StringGridData grid = Grid(2, 1);
  DeleteRows(grid, 1, 1);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.Cell(0, 1), "");
  EXPECT_EQ(grid.Cell(1, 1), "");
  // A range over every data row leaves one emptied row.
  StringGridData all = Grid(5, 4);
  DeleteRows(all, 4, 1);
  EXPECT_EQ(all.RowCount(), 2);
  EXPECT_EQ(Names(all), "- ");
}

TEST(DeleteRows, BlankRowsGoOneAtATimeAndOutOfRangeDoesNothing) {
  StringGridData grid = Grid(50, 0);
  for (int i = 0; i < 60; ++i) {
    DeleteRows(grid, 1, 1);
  }
  EXPECT_EQ(grid.RowCount(), 2);
  StringGridData other = Grid(5, 4);
  DeleteRows(other, 7, 9);
  EXPECT_EQ(Names(other), "d1 d2 d3 d4 ");
  DeleteRows(other, 0, 1);  // the heading row is never deleted
  EXPECT_EQ(Names(other), "d2 d3 d4 ");
  EXPECT_EQ(other.Cell(1, 0), "");
}

TEST(MoveSelectedRow, SwapsWithTheNeighbourAndFollowsIt) {
  StringGridData grid = Grid(5, 3);
  widgets::CellStyle marked;
  marked.background = widgets::ColorRef{0x00FFFF};
  grid.SetStyle(2, 2, marked);
  grid.SelectRow(2);
  MoveSelectedRow(grid, true);
  EXPECT_EQ(Names(grid), "d2 d1 d3 - ");
  EXPECT_EQ(grid.SelectionTop(), 1);
  EXPECT_EQ(grid.Style(2, 1), marked);  // the style goes with its row
  EXPECT_EQ(grid.Style(2, 2), widgets::CellStyle{});
  MoveSelectedRow(grid, true);  // row 1: nothing
  EXPECT_EQ(Names(grid), "d2 d1 d3 - ");
  grid.SelectRow(3);
  MoveSelectedRow(grid, false);  // below the last document: a blank row now comes first
  EXPECT_EQ(Names(grid), "d2 d1 - d3 ");
  EXPECT_EQ(grid.SelectionTop(), 4);
  MoveSelectedRow(grid, false);  // the last grid row: nothing
  EXPECT_EQ(Names(grid), "d2 d1 - d3 ");
  EXPECT_EQ(DocumentRows(grid), (std::vector<int>{1, 2, 4}));  // the blank row is passed over
}

TEST(GridOutput, RowsWithoutAFileNameArePassedOverNotTheEnd) {
  // An unreadable document between two readable ones, and an empty first row.
  StringGridData grid = Grid(7, 4);
  grid.SetCell(0, 3, "");
  EXPECT_EQ(DocumentRows(grid), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(GridListLines(grid, ';'),
            (std::vector<std::string>{"d1;t1;;;;;;;;;;;", "d2;t2;;;;;;;;;;;", "d4;t4;;;;;;;;;;;"}));
  EXPECT_EQ(GridListLines(grid, ',')[2], "d4;t4;;;;;;;;;;,");
  EXPECT_EQ(CsvText(grid), "d1,t1,,,,,,,,,,,\r\nd2,t2,,,,,,,,,,,\r\nd4,t4,,,,,,,,,,,\r\n");
  grid.SetCell(0, 1, "");
  grid.SetCell(0, 6, "d6");
  EXPECT_EQ(DocumentRows(grid), (std::vector<int>{2, 4, 6}));
  EXPECT_EQ(CsvText(StringGridData(11, 50, 2, 1)), "");
}

TEST(GridOutput, ListLinesCannotBeSplitAndCsvFieldsAreQuoted) {
  StringGridData grid = Grid(3, 1);
  grid.SetCell(1, 1, "a;b,c\x95\x5C");  // 表 ends in 0x5C
  grid.SetCell(4, 1, "say \"hi\"\tnow");
  // In the list file a typed ";" or tab can neither shift nor split a field.
  EXPECT_EQ(GridListLines(grid, ';')[0],
            "d1;a\x81\x47"
            "b,c\x95\x5C;;;say \"hi\" now;;;;;;;;");
  // In CSV a value with a comma or a quote is quoted, its quotes doubled;
  // other values, ";" included, stay byte for byte.
  EXPECT_EQ(CsvText(grid), "d1,\"a;b,c\x95\x5C\",,,\"say \"\"hi\"\"\tnow\",,,,,,,,\r\n");
  EXPECT_EQ(CsvField("plain ;\x81\x47"), "plain ;\x81\x47");
  EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
  EXPECT_EQ(CsvField("\""), "\"\"\"\"");
}

TEST(GridOutput, NRowsGiveNLinesEndingInTwoCommas) {
  StringGridData grid = Grid(60, 55);
  std::string text = CsvText(grid);
  std::size_t lines = 0;
  for (std::size_t at = text.find(",,\r\n"); at != std::string::npos;
       at = text.find(",,\r\n", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 55u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 55);
}

TEST(GridOutput, Utf8CsvHasAByteOrderMarkHeadingsAndElevenQuotedFields) {
  StringGridData grid = Grid(5, 3);
  for (int col = 0; col < 11; ++col) {
    grid.SetCell(col, 0, "h" + std::to_string(col));
  }
  grid.SetCell(0, 0, "\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC");  // ファイル名
  grid.SetCell(1, 1, "\x95\x5C, \"A\"");                           // 表, "A"
  grid.SetCell(10, 1, "2026/01/02");
  grid.SetCell(0, 2, "");  // an unreadable document: passed over
  EXPECT_EQ(CsvUtf8Text(grid),
            "\xEF\xBB\xBF"
            "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE5\x90\x8D,h1,h2,h3,h4,h5,h6,h7,h8,"
            "h9,h10\r\n"
            "d1,\"\xE8\xA1\xA8, \"\"A\"\"\",,,,,,,,,2026/01/02\r\n"
            "d3,t3,,,,,,,,,\r\n");
  // No documents: the headings alone.
  std::string empty = CsvUtf8Text(Grid(4, 0));
  EXPECT_EQ(std::count(empty.begin(), empty.end(), '\n'), 1);
}

}  // namespace
}  // namespace commands
