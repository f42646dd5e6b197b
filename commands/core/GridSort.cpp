#include "commands/core/GridSort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/core/FolderScan.h"
#include "commands/core/GridRows.h"

namespace commands {

namespace {

// The numbers of a date as the list writes it ("2026/03/31 8:05:09"): year,
// month, day, hours, minutes, seconds, missing ones 0. Nothing when the
// text holds no digits.
std::optional<std::array<std::int64_t, 6>> DateNumbers(const std::string& text) {
  std::array<std::int64_t, 6> numbers{};
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < text.size() && count < numbers.size()) {
    if (text[i] < '0' || text[i] > '9') {
      ++i;
      continue;
    }
    std::int64_t value = 0;
    for (int digits = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
      if (digits < 12) {
        value = value * 10 + (text[i] - '0');
      }
    }
    numbers[count++] = value;
  }
  if (count == 0) {
    return std::nullopt;
  }
  return numbers;
}

// A revision as a number: optional blanks, digits; nothing for other text.
std::optional<std::int64_t> RevisionNumber(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos || text[i] < '0' || text[i] > '9') {
    return std::nullopt;
  }
  std::int64_t value = 0;
  for (int digits = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
    if (digits >= 18) {
      return std::nullopt;  // beyond any revision: compared as text
    }
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// Whether `a` sorts before `b` in ascending order; neither is empty.
bool Before(SortKind kind, const std::string& a, const std::string& b) {
  if (kind == SortKind::Date) {
    auto x = DateNumbers(a);
    auto y = DateNumbers(b);
    if (x && y && *x != *y) {
      return *x < *y;
    }
    if (x.has_value() != y.has_value()) {
      return x.has_value();  // dates before other text
    }
  } else if (kind == SortKind::Number) {
    auto x = RevisionNumber(a);
    auto y = RevisionNumber(b);
    if (x && y && *x != *y) {
      return *x < *y;
    }
    if (x.has_value() != y.has_value()) {
      return x.has_value();  // numbers before other text
    }
  }
  return catalogue::NameLess(a, b);
}

}  // namespace

SortKind SortKindOfColumn(int col) {
  switch (col) {
    case 2:
    case 9:
    case 10: return SortKind::Date;
    case 8: return SortKind::Number;
    default: return SortKind::Text;
  }
}

void SortDocumentRows(widgets::StringGridData& grid, int column, bool ascending) {
  std::vector<int> documents = DocumentRows(grid);
  SortKind kind = SortKindOfColumn(column);
  std::stable_sort(documents.begin(), documents.end(), [&](int x, int y) {
    const std::string& a = grid.Cell(column, x);
    const std::string& b = grid.Cell(column, y);
    if (a.empty() || b.empty()) {
      return !a.empty() && b.empty();  // empty cells last either way
    }
    return ascending ? Before(kind, a, b) : Before(kind, b, a);
  });
  std::vector<int> order = documents;
  std::vector<bool> isDocument(static_cast<std::size_t>(grid.RowCount()), false);
  for (int row : documents) {
    isDocument[static_cast<std::size_t>(row)] = true;
  }
  for (int row = grid.FixedRows(); row < grid.RowCount(); ++row) {
    if (!isDocument[static_cast<std::size_t>(row)]) {
      order.push_back(row);
    }
  }
  grid.ArrangeRows(order);
  grid.SelectRow(grid.FixedRows());
}

}  // namespace commands
