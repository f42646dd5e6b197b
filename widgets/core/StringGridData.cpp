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
  std::size_t size = static_cast<std::size_t>(rows) * static_cast<std::size_t>(colCount_);
  cells_.resize(size);
  styles_.resize(size);
  selTop_ = std::min(selTop_, rows - 1);
  selBottom_ = std::min(selBottom_, rows - 1);
  Touch();
}

bool StringGridData::InRange(int col, int row) const {
  return col >= 0 && col < colCount_ && row >= 0 && row < rowCount_;
}

std::size_t StringGridData::Index(int col, int row) const {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount_) +
         static_cast<std::size_t>(col);
}

const std::string& StringGridData::Cell(int col, int row) const {
  return InRange(col, row) ? cells_[Index(col, row)] : kNoText;
}

void StringGridData::SetCell(int col, int row, std::string text) {
  if (InRange(col, row)) {
    cells_[Index(col, row)] = std::move(text);
    Touch();
  }
}

const CellStyle& StringGridData::Style(int col, int row) const {
  return InRange(col, row) ? styles_[Index(col, row)] : kNoStyle;
}

void StringGridData::SetStyle(int col, int row, const CellStyle& style) {
  if (InRange(col, row)) {
    styles_[Index(col, row)] = style;
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
  auto rotate = [&](auto& v) {
    auto rowBegin = [&](int row) { return v.begin() + static_cast<std::ptrdiff_t>(Index(0, row)); };
    if (from < to) {
      std::rotate(rowBegin(from), rowBegin(from + 1), rowBegin(to + 1));
    } else {
      std::rotate(rowBegin(to), rowBegin(from), rowBegin(from + 1));
    }
  };
  rotate(cells_);
  rotate(styles_);
  Touch();
}

void StringGridData::SelectRow(int row) {
  row = std::clamp(row, fixedRows_, rowCount_ - 1);
  selTop_ = row;
  selBottom_ = row;
  Touch();
}

}  // namespace widgets
