#pragma once

#include <array>
#include <string>

#include "catalogue/core/DocumentList.h"
#include "widgets/core/StringGridData.h"

// The main window's list grid: the document list shown under its headings,
// with the designed layout.
namespace app {

inline constexpr int kListGridColumns = 11;
inline constexpr int kListGridStartRows = 50;  // the heading and 49 blank rows
inline constexpr int kListGridRowHeight = 17;
inline constexpr widgets::ColorRef kFixedCellColor = 12615680;  // RGB 0, 128, 192

// The document list as the grid shows it: row 0 the headings (in code page
// 932, as the cells are), rows 1 on the list's rows.
class ListGridCells : public widgets::GridCells {
 public:
  explicit ListGridCells(const catalogue::DocumentList& list);

  int RowCount() const override { return list_.RowCount() + 1; }
  const std::string& Cell(int col, int row) const override;

  // The list row of a grid row, and the other way round.
  static int ListRow(int gridRow) { return gridRow - 1; }
  static int GridRow(int listRow) { return listRow + 1; }

 private:
  const catalogue::DocumentList& list_;
  std::array<std::string, kListGridColumns> headings_;
};

// A grid laid out as the list grid: 11 columns, 2 fixed columns, 1 fixed
// row, row height 17, the designed column widths, headings in white
// centred and the fixed columns of the rows white with black text.
widgets::StringGridData MakeListGrid(const widgets::GridCells& cells);

// The designed width of a column.
int DesignedColumnWidth(int col);

}  // namespace app
