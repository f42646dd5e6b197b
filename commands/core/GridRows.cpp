#include "commands/core/GridRows.h"

#include <algorithm>

#include "catalogue/core/ListFile.h"
#include "platform/text/Cp932.h"

namespace commands {

namespace {

std::vector<std::string> RowCells(const widgets::StringGridData& grid, int row) {
  std::vector<std::string> cells;
  for (int col = 0; col < kWrittenColumns; ++col) {
    cells.push_back(grid.Cell(col, row));
  }
  return cells;
}

}  // namespace

void DeleteRows(widgets::StringGridData& grid, int first, int last) {
  if (last < first) {
    std::swap(first, last);
  }
  int rows = grid.RowCount();
  int fixed = grid.FixedRows();
  if (first > rows - 1) {
    return;
  }
  last = std::min(last, rows - 1);
  first = std::max(first, fixed);
  if (last < first) {
    return;
  }
  int n = last - first + 1;
  if (rows - fixed == 1 || rows - n <= fixed) {
    // One data row always stays: the first one, emptied.
    for (int col = 0; col < grid.ColCount(); ++col) {
      grid.SetCell(col, fixed, {});
    }
    n -= 1;
    if (n > 0) {
      grid.SetRowCount(rows - n);
    }
    return;
  }
  grid.RemoveRows(first, n);  // the rows below move up, whatever their number
}

void MoveSelectedRow(widgets::StringGridData& grid, bool up) {
  int row = grid.SelectionTop();
  int neighbour = up ? row - 1 : row + 1;
  if ((up && row <= grid.FixedRows()) || (!up && row >= grid.RowCount() - 1)) {
    return;
  }
  grid.MoveRow(row, neighbour);  // the row's cells and styles, as a drag moves it
  grid.SelectRow(neighbour);
}

std::vector<int> DocumentRows(const widgets::StringGridData& grid) {
  std::vector<int> rows;
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
    if (!grid.Cell(0, row).empty()) {
      rows.push_back(row);
    }
  }
  return rows;
}

std::vector<std::string> GridListLines(const widgets::StringGridData& grid, char tail) {
  std::vector<std::string> lines;
  for (int row : DocumentRows(grid)) {
    lines.push_back(catalogue::GridRowLine(RowCells(grid, row), tail));
  }
  return lines;
}

std::string CsvField(const std::string& cell) {
  if (cell.find_first_of(",\"\r\n") == std::string::npos) {
    return cell;
  }
  // ',' and '"' are below 0x40, so neither can be the second byte of a
  // double-byte character: quoting works on the code page 932 bytes.
  std::string field = "\"";
  for (char c : cell) {
    if (c == '"') {
      field += '"';
    }
    field += c;
  }
  field += '"';
  return field;
}

std::string CsvText(const widgets::StringGridData& grid) {
  std::string text;
  for (int row : DocumentRows(grid)) {
    for (const std::string& cell : RowCells(grid, row)) {
      text += CsvField(cell);
      text += ',';
    }
    text += "\r\n";
  }
  return text;
}

namespace {

void AppendUtf8CsvLine(const widgets::StringGridData& grid, int row, std::string& text) {
  for (int col = 0; col < kRecordColumns; ++col) {
    if (col > 0) {
      text += ',';
    }
    text += CsvField(platform::Cp932ToUtf8(grid.Cell(col, row)));
  }
  text += "\r\n";
}

}  // namespace

std::string CsvUtf8Text(const widgets::StringGridData& grid) {
  std::string text = "\xEF\xBB\xBF";
  AppendUtf8CsvLine(grid, 0, text);
  for (int row : DocumentRows(grid)) {
    AppendUtf8CsvLine(grid, row, text);
  }
  return text;
}

}  // namespace commands
