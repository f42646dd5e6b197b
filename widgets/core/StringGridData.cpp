#include "widgets/core/StringGridData.h"

#include <algorithm>

namespace widgets {

namespace {

const std::string kNoText;
const CellStyle kNoStyle;
constexpr int kDefaultColWidth = 64;

}  // namespace

StringGridData::StringGridData(const GridCells& cells, int colCount, int fixedCols, int fixedRows)
    : cells_(&cells),
      colCount_(std::max(colCount, 1)),
      fixedCols_(std::clamp(fixedCols, 0, colCount_ - 1)),
      fixedRows_(std::max(fixedRows, 0)),
      selTop_(fixedRows_),
      selBottom_(fixedRows_),
      colWidths_(static_cast<std::size_t>(colCount_), kDefaultColWidth),
      headingStyles_(static_cast<std::size_t>(colCount_)),
      columnStyles_(static_cast<std::size_t>(colCount_)) {}

int StringGridData::RowCount() const {
  return std::max(cells_->RowCount(), fixedRows_ + 1);
}

const std::string& StringGridData::Cell(int col, int row) const {
  return IsColumn(col) && row >= 0 ? cells_->Cell(col, row) : kNoText;
}

const CellStyle& StringGridData::Style(int col, int row) const {
  if (!IsColumn(col) || row < 0 || row >= RowCount()) {
    return kNoStyle;
  }
  const std::vector<CellStyle>& styles = row < fixedRows_ ? headingStyles_ : columnStyles_;
  return styles[static_cast<std::size_t>(col)];
}

void StringGridData::SetHeadingStyle(int col, const CellStyle& style) {
  if (IsColumn(col)) {
    headingStyles_[static_cast<std::size_t>(col)] = style;
  }
}

void StringGridData::SetColumnStyle(int col, const CellStyle& style) {
  if (IsColumn(col)) {
    columnStyles_[static_cast<std::size_t>(col)] = style;
  }
}

int StringGridData::ColWidth(int col) const {
  return IsColumn(col) ? colWidths_[static_cast<std::size_t>(col)] : 0;
}

void StringGridData::SetColWidth(int col, int width) {
  if (IsColumn(col)) {
    colWidths_[static_cast<std::size_t>(col)] = std::clamp(width, 0, kMaxColWidth);
  }
}

int StringGridData::DataRow(int row) const {
  return std::clamp(row, fixedRows_, RowCount() - 1);
}

int StringGridData::SelectionTop() const {
  return DataRow(selTop_);
}

int StringGridData::SelectionBottom() const {
  return DataRow(selBottom_);
}

void StringGridData::SelectRow(int row) {
  row = DataRow(row);
  selTop_ = row;
  selBottom_ = row;
}

}  // namespace widgets
