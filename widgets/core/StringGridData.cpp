#include "widgets/core/StringGridData.h"

#include <algorithm>

namespace widgets {

namespace {

const std::string kNoText;
const CellStyle kNoStyle;
constexpr int kDefaultColWidth = 64;

}  // namespace

StringGridData::StringGridData(int colCount, int rowCount, int fixedCols, int fixedRows)
    : colCount_(std::max(colCount, 1)),
      rowCount_(0),
      fixedCols_(std::clamp(fixedCols, 0, colCount_ - 1)),
      fixedRows_(std::max(fixedRows, 0)),
      selTop_(fixedRows_),
      selBottom_(fixedRows_),
      colWidths_(static_cast<std::size_t>(colCount_), kDefaultColWidth) {
  SetRowCount(rowCount);
}

void StringGridData::SetRowCount(int rows) {
  rows = std::max(rows, fixedRows_ + 1);
  rowCount_ = rows;
  auto cols = static_cast<std::size_t>(colCount_);
  rows_.resize(static_cast<std::size_t>(rows),
               Row{std::vector<std::string>(cols), std::vector<CellStyle>(cols)});
  selTop_ = std::min(selTop_, rows - 1);
  selBottom_ = std::min(selBottom_, rows - 1);
  Touch();
}

bool StringGridData::InRange(int col, int row) const {
  return col >= 0 && col < colCount_ && row >= 0 && row < rowCount_;
}

const std::string& StringGridData::Cell(int col, int row) const {
  return InRange(col, row)
             ? rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)]
             : kNoText;
}

void StringGridData::SetCell(int col, int row, std::string text) {
  if (InRange(col, row)) {
    rows_[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(col)] = std::move(text);
    Touch();
  }
}

const CellStyle& StringGridData::Style(int col, int row) const {
  return InRange(col, row)
             ? rows_[static_cast<std::size_t>(row)].styles[static_cast<std::size_t>(col)]
             : kNoStyle;
}

void StringGridData::SetStyle(int col, int row, const CellStyle& style) {
  if (InRange(col, row)) {
    rows_[static_cast<std::size_t>(row)].styles[static_cast<std::size_t>(col)] = style;
    Touch();
  }
}

int StringGridData::ColWidth(int col) const {
  return col >= 0 && col < colCount_ ? colWidths_[static_cast<std::size_t>(col)] : 0;
}

void StringGridData::SetColWidth(int col, int width) {
  if (col >= 0 && col < colCount_) {
    colWidths_[static_cast<std::size_t>(col)] = std::clamp(width, 0, kMaxColWidth);
    Touch();
  }
}

void StringGridData::MoveRow(int from, int to) {
  if (from < fixedRows_ || to < fixedRows_ || from >= rowCount_ || to >= rowCount_ || from == to) {
    return;
  }
  auto at = [&](int row) { return rows_.begin() + row; };
  if (from < to) {
    std::rotate(at(from), at(from + 1), at(to + 1));
  } else {
    std::rotate(at(to), at(from), at(from + 1));
  }
  Touch();
}

void StringGridData::RemoveRows(int first, int count) {
  if (count <= 0 || first < fixedRows_ || first + count > rowCount_) {
    return;
  }
  rows_.erase(rows_.begin() + first, rows_.begin() + first + count);
  SetRowCount(rowCount_ - count);
}

void StringGridData::ArrangeRows(const std::vector<int>& order) {
  std::size_t dataRows = static_cast<std::size_t>(rowCount_ - fixedRows_);
  if (order.size() != dataRows) {
    return;
  }
  std::vector<bool> seen(dataRows, false);
  for (int row : order) {
    if (row < fixedRows_ || row >= rowCount_ || seen[static_cast<std::size_t>(row - fixedRows_)]) {
      return;
    }
    seen[static_cast<std::size_t>(row - fixedRows_)] = true;
  }
  std::vector<Row> arranged;
  arranged.reserve(dataRows);
  for (int row : order) {
    arranged.push_back(std::move(rows_[static_cast<std::size_t>(row)]));
  }
  std::move(arranged.begin(), arranged.end(), rows_.begin() + fixedRows_);
  Touch();
}

void StringGridData::SelectRow(int row) {
  row = std::clamp(row, fixedRows_, rowCount_ - 1);
  selTop_ = row;
  selBottom_ = row;
  Touch();
}

}  // namespace widgets
