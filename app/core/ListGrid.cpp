#include "app/core/ListGrid.h"

#include <algorithm>

namespace app {

namespace {

constexpr int kDesignedWidths[kListGridColumns] = {146, 202, 162, 134, 122, 100,
                                                   100, 100, 100, 100, 100};
// Above and below a row's text: the text starts 2 pixels down and the grid
// line takes 1.
constexpr int kRowPadding = 3;

}  // namespace

int DesignedColumnWidth(int col) {
  return col >= 0 && col < kListGridColumns ? kDesignedWidths[col] : 0;
}

std::vector<int> DesignedColumnWidths() {
  return std::vector<int>(std::begin(kDesignedWidths), std::end(kDesignedWidths));
}

int ListGridRowHeight(int lineSpacing) {
  return std::max(kListGridRowHeight, lineSpacing + kRowPadding);
}

}  // namespace app
