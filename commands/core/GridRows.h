#pragma once

#include <string>
#include <vector>

#include "widgets/core/StringGridData.h"

// The row commands and output of the list grid, on its cells.
namespace commands {

// Columns that a grid line writes: the eleven record fields and the twelfth,
// always empty, column the grid-saving commands add.
inline constexpr int kWrittenColumns = 12;

// Removes rows first..last (either order, clipped to the data rows); at
// least one data row stays, emptied when every data row was in the range.
void DeleteRows(widgets::StringGridData& grid, int first, int last);

// Swaps the selected row with the one above (up) or below, all cells, and
// selects the row where the moved one now stands. Nothing happens at row 1
// (up) or at the last grid row (down).
void MoveSelectedRow(widgets::StringGridData& grid, bool up);

// The grid walk: the data rows that hold a document, from row 1 down. A row
// whose file-name cell is empty (an unreadable file, a blank row moved up)
// is passed over; it does not end the list.
std::vector<int> DocumentRows(const widgets::StringGridData& grid);

// The walked rows as document list lines: twelve cells, the first eleven
// followed by ";", the twelfth by `tail`.
std::vector<std::string> GridListLines(const widgets::StringGridData& grid, char tail);

// One cell as a CSV field: as it is, or in double quotes with its inner
// quotes doubled when it holds ",", '"' or a line break (RFC 4180).
std::string CsvField(const std::string& cell);

// The walked rows as CSV text: twelve cells each followed by ",", CR LF after
// every line, the cells' bytes unchanged but for the quoting of CsvField.
std::string CsvText(const widgets::StringGridData& grid);

// The record columns the UTF-8 CSV writes: the eleven fields.
inline constexpr int kRecordColumns = 11;

// The walked rows as CSV in UTF-8, as current spreadsheet programs open it:
// a byte-order mark, a heading row of the grid's eleven column headings
// (its row 0), then the eleven fields of each document, separated by ","
// and quoted as CsvField does, CR LF after every line.
std::string CsvUtf8Text(const widgets::StringGridData& grid);

}  // namespace commands
