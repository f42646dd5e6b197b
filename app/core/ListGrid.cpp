#include "app/core/ListGrid.h"

#include <optional>
#include <vector>

#include "catalogue/core/ListFile.h"
#include "platform/text/Cp932.h"

namespace app {

namespace {

constexpr const char* kHeadings[kListGridColumns] = {
    "ファイル名", "タイトル", "最終更新日時", "サブタイトル", "作成者",  "キーワード",
    "コメント",   "更新者",   "改訂番号",     "印刷日時",     "作成日時"};

constexpr int kDesignedWidths[kListGridColumns] = {146, 202, 162, 134, 122, 100,
                                                   100, 100, 100, 100, 100};

void WhiteFixedColumns(widgets::StringGridData& grid, int row) {
  widgets::CellStyle white;
  white.background = widgets::kWhite;
  white.text = widgets::kBlack;
  grid.SetStyle(0, row, white);
  grid.SetStyle(1, row, white);
}

}  // namespace

const char* ColumnHeading(int col) {
  return col >= 0 && col < kListGridColumns ? kHeadings[col] : "";
}

int DesignedColumnWidth(int col) {
  return col >= 0 && col < kListGridColumns ? kDesignedWidths[col] : 0;
}

widgets::StringGridData MakeListGrid() {
  widgets::StringGridData grid(kListGridColumns, kListGridStartRows, 2, 1);
  grid.SetRowHeight(kListGridRowHeight);
  for (int col = 0; col < kListGridColumns; ++col) {
    grid.SetColWidth(col, kDesignedWidths[col]);
  }
  return grid;
}

void SetColumnHeadings(widgets::StringGridData& grid) {
  for (int col = 0; col < kListGridColumns; ++col) {
    grid.SetCell(col, 0, platform::Utf8ToCp932(kHeadings[col]));
    widgets::CellStyle heading = grid.Style(col, 0);
    heading.text = widgets::kWhite;
    heading.alignment = widgets::CellAlignment::Center;
    grid.SetStyle(col, 0, heading);
  }
}

void ClearListGrid(widgets::StringGridData& grid) {
  for (int row = 1; row < grid.RowCount(); ++row) {
    WhiteFixedColumns(grid, row);
    for (int col = 0; col < grid.ColCount(); ++col) {
      grid.SetCell(col, row, {});
    }
  }
}

void LoadDocumentList(const std::string& listPath, widgets::StringGridData& grid) {
  ClearListGrid(grid);
  // Line by line into the cells: the file is never held besides the grid.
  int row = 1;
  catalogue::ForEachListLine(listPath, [&](std::string&& rest) {
    if (row >= grid.RowCount()) {
      grid.SetRowCount(row + 1);
      WhiteFixedColumns(grid, row);
    }
    for (int col = 0; col < kListGridColumns; ++col) {
      grid.SetCell(col, row, catalogue::NextField(rest));
    }
    ++row;
  });
}

}  // namespace app
