#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace widgets {

// A colour as the style files and settings give it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kWhite = 16777215;
inline constexpr ColorRef kBlack = 0;

enum class CellAlignment { Default, Left, Center, Right };

// How one cell is drawn; unset parts take the grid's defaults.
struct CellStyle {
  std::optional<ColorRef> background;
  std::optional<ColorRef> text;
  CellAlignment alignment = CellAlignment::Default;

  bool operator==(const CellStyle&) const = default;
};

// The cells of a string grid: text (code page 932 bytes) and a style per
// cell, addressed by column and row, with fixed rows and columns at the top
// and left, column widths and a whole-row selection. No Qt: the commands
// work on it directly and the grid widget shows it.
class StringGridData {
 public:
  StringGridData(int colCount, int rowCount, int fixedCols, int fixedRows);

  int ColCount() const { return colCount_; }
  int RowCount() const { return rowCount_; }
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }

  // Rows added at the end are empty; rows taken off lose their cells. The
  // count never goes below the fixed rows plus one.
  void SetRowCount(int rows);

  // Text of a cell; any column index may be read (those past the last
  // column hold nothing).
  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);

  const CellStyle& Style(int col, int row) const;
  void SetStyle(int col, int row, const CellStyle& style);

  // Widths are held within 0 to kMaxColWidth, so the widths of all columns
  // add up within an int.
  static constexpr int kMaxColWidth = 1 << 20;
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight() const { return rowHeight_; }
  void SetRowHeight(int height) { rowHeight_ = height < 1 ? 1 : height; }

  // Moves row `from` to position `to`, the rows between shifting by one;
  // the row's cells and styles move with it. Fixed rows do not move.
  void MoveRow(int from, int to);
  // Removes `count` rows from `first` on (data rows only; nothing when the
  // range is not wholly within them), the rows below moving up.
  void RemoveRows(int first, int count);
  // Puts the data rows in a new order: `order` lists every data row (from
  // FixedRows() on) once, in the order they are to stand, cells and styles
  // moving with them. Anything else changes nothing.
  void ArrangeRows(const std::vector<int>& order);

  // The selected rows (whole-row selection), top <= bottom, always data rows.
  int SelectionTop() const { return selTop_; }
  int SelectionBottom() const { return selBottom_; }
  void SelectRow(int row);

  // Increased by every change, so a view knows when to redraw.
  std::uint64_t Revision() const { return revision_; }

 private:
  // One row's cells and styles, held together so that moving or removing
  // rows moves a few pointers whatever the number of rows.
  struct Row {
    std::vector<std::string> cells;
    std::vector<CellStyle> styles;
  };

  bool InRange(int col, int row) const;
  void Touch() { ++revision_; }

  int colCount_;
  int rowCount_;
  int fixedCols_;
  int fixedRows_;
  int rowHeight_ = 24;
  int selTop_;
  int selBottom_;
  std::vector<Row> rows_;
  std::vector<int> colWidths_;
  std::uint64_t revision_ = 0;
};

}  // namespace widgets
