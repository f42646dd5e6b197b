#pragma once

#include <string>
#include <vector>

#include "widgets/core/StringGridData.h"

namespace widgets {

// Cells a test fills as it likes: rows of texts, any row as long as it is.
struct TableCells : GridCells {
  std::vector<std::vector<std::string>> rows;

  explicit TableCells(int rowCount) : rows(static_cast<std::size_t>(rowCount)) {}

  int RowCount() const override { return static_cast<int>(rows.size()); }
  const std::string& Cell(int col, int row) const override {
    static const std::string kNone;
    if (row < 0 || row >= RowCount() || col < 0 ||
        col >= static_cast<int>(rows[static_cast<std::size_t>(row)].size())) {
      return kNone;
    }
    return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
  }
  void Set(int col, int row, std::string text) {
    auto& cells = rows[static_cast<std::size_t>(row)];
    if (static_cast<int>(cells.size()) <= col) {
      cells.resize(static_cast<std::size_t>(col) + 1);
    }
    cells[static_cast<std::size_t>(col)] = std::move(text);
  }
};

}  // namespace widgets
