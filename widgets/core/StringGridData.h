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

// How a cell is drawn; unset parts take the grid's defaults.
struct CellStyle {
  std::optional<ColorRef> background;
  std::optional<ColorRef> text;
  CellAlignment alignment = CellAlignment::Default;

  bool operator==(const CellStyle&) const = default;
};

// What a string grid shows: the text of its cells (UTF-8),
// addressed by column and row, the fixed rows at the top included. The grid
// only reads it; whoever owns the rows changes them and refreshes the grid.
class GridCells {
 public:
  virtual ~GridCells() = default;
  // Every row, the fixed ones included.
  virtual int RowCount() const = 0;
  // The text of a cell; empty outside the rows and columns there are.
  virtual const std::string& Cell(int col, int row) const = 0;
};

// How a string grid shows its cells: the columns with fixed ones at the
// left and fixed rows at the top, column widths, the row height, a style per
// column (one for the fixed rows, one for the rest) and a whole-row
// selection. The rows and their text come from the GridCells it is made
// with. No Qt: the windows work on it directly and the grid widget draws it.
class StringGridData {
 public:
  StringGridData(const GridCells& cells, int colCount, int fixedCols, int fixedRows);

  int ColCount() const { return colCount_; }
  // The rows the cells have, never fewer than the fixed rows plus one.
  int RowCount() const;
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }

  // Text of a cell; any column index may be read (those past the last
  // column hold nothing).
  const std::string& Cell(int col, int row) const;

  // The style of a cell: its column's, for the fixed rows or the others.
  const CellStyle& Style(int col, int row) const;
  void SetHeadingStyle(int col, const CellStyle& style);
  void SetColumnStyle(int col, const CellStyle& style);

  // Widths are held within 0 to kMaxColWidth, so the widths of all columns
  // add up within an int.
  static constexpr int kMaxColWidth = 1 << 20;
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int RowHeight() const { return rowHeight_; }
  void SetRowHeight(int height) { rowHeight_ = height < 1 ? 1 : height; }

  // The selected rows (whole-row selection), top <= bottom, always data
  // rows of the cells as they are now.
  int SelectionTop() const;
  int SelectionBottom() const;
  void SelectRow(int row);

 private:
  bool IsColumn(int col) const { return col >= 0 && col < colCount_; }
  int DataRow(int row) const;  // held within the data rows there are

  const GridCells* cells_;
  int colCount_;
  int fixedCols_;
  int fixedRows_;
  int rowHeight_ = 24;
  int selTop_;
  int selBottom_;
  std::vector<int> colWidths_;
  std::vector<CellStyle> headingStyles_;
  std::vector<CellStyle> columnStyles_;
};

}  // namespace widgets
