#include "app/core/ListGrid.h"

namespace app {

namespace {

constexpr int kDesignedWidths[kListGridColumns] = {146, 202, 162, 134, 122, 100,
                                                   100, 100, 100, 100, 100};

const std::string kNoText;

}  // namespace

ListGridCells::ListGridCells(const catalogue::DocumentList& list) : list_(list) {
  for (int col = 0; col < kListGridColumns; ++col) {
    headings_[static_cast<std::size_t>(col)] = catalogue::DocumentList::Heading(col);
  }
}

const std::string& ListGridCells::Cell(int col, int row) const {
  if (row == 0) {
    return col >= 0 && col < kListGridColumns ? headings_[static_cast<std::size_t>(col)] : kNoText;
  }
  return list_.Field(ListRow(row), col);
}

int DesignedColumnWidth(int col) {
  return col >= 0 && col < kListGridColumns ? kDesignedWidths[col] : 0;
}

widgets::StringGridData MakeListGrid(const widgets::GridCells& cells) {
  widgets::StringGridData grid(cells, kListGridColumns, 2, 1);
  grid.SetRowHeight(kListGridRowHeight);
  widgets::CellStyle heading;
  heading.text = widgets::kWhite;
  heading.alignment = widgets::CellAlignment::Center;
  widgets::CellStyle white;
  white.background = widgets::kWhite;
  white.text = widgets::kBlack;
  for (int col = 0; col < kListGridColumns; ++col) {
    grid.SetColWidth(col, kDesignedWidths[col]);
    grid.SetHeadingStyle(col, heading);
    if (col < grid.FixedCols()) {
      grid.SetColumnStyle(col, white);
    }
  }
  return grid;
}

}  // namespace app
