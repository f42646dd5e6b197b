#include "commands/core/GridSort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/Cp932.h"
#include "platform/text/Utf8.h"

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

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Text order on code page 932 bytes: single-byte ASCII letters case-blind,
// everything else by its bytes, ties broken by the bytes as they are. The
// second byte of a two-byte character is never folded: ア is 83 41 and must
// not sort as 83 61, after チ (83 60). While the texts compare equal their
// characters start at the same bytes (a lead byte is never folded), so one
// walk through both finds the trail bytes of both.
// Negative, zero or positive as `a` sorts before, with or after `b`.
int TextCompare(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  bool trail = false;
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (!trail) {
      x = FoldAscii(x);
      y = FoldAscii(y);
    }
    if (x != y) {
      return x < y ? -1 : 1;
    }
    trail = !trail && platform::IsCp932LeadByte(x);
  }
  if (a.size() != b.size()) {
    return a.size() < b.size() ? -1 : 1;
  }
  return a.compare(b);
}

// A cell as the sort compares it. The part it belongs to comes first,
// whatever the direction: the values (dates in a date column, numbers in
// the revision column, any text in a text column), then the text of a date
// or number column that is not one, then the empty cells. Only the order
// within a part follows the direction, so a descending sort still puts the
// newest dates at the top, not the cells that hold no date.
// Text is compared in code page 932, the order the list has always sorted
// in, and text that compares equal there (a character code page 932 lacks
// is "?") by its UTF-8.
struct SortKey {
  enum Part { Value, OtherText, Empty } part = Empty;
  std::array<std::int64_t, 6> numbers{};  // the date's numbers, or the revision in [0]
  std::string stored;                     // the text in code page 932
  const std::string* text = nullptr;
};

SortKey KeyOf(SortKind kind, const std::string& cell) {
  SortKey key;
  key.text = &cell;
  if (cell.empty()) {
    return key;
  }
  key.stored = platform::IsAscii(cell) ? cell : platform::Utf8ToCp932(cell);
  key.part = SortKey::Value;
  if (kind == SortKind::Date) {
    if (auto date = DateNumbers(cell)) {
      key.numbers = *date;
    } else {
      key.part = SortKey::OtherText;
    }
  } else if (kind == SortKind::Number) {
    if (auto revision = RevisionNumber(cell)) {
      key.numbers[0] = *revision;
    } else {
      key.part = SortKey::OtherText;
    }
  }
  return key;
}

// Whether `a` sorts before `b` in ascending order; both are of one part.
// Equal dates or numbers written differently ("7", "07") go by their text.
bool Before(const SortKey& a, const SortKey& b) {
  if (a.numbers != b.numbers) {
    return a.numbers < b.numbers;
  }
  if (int order = TextCompare(a.stored, b.stored); order != 0) {
    return order < 0;
  }
  return *a.text < *b.text;
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

void SortDocumentRows(catalogue::DocumentList& list, int column, bool ascending) {
  list.Arrange(SortedOrder(list, column, ascending));
}

std::vector<int> SortedOrder(const catalogue::DocumentList& list, int column, bool ascending) {
  std::vector<int> documents = list.DocumentRows();
  SortKind kind = SortKindOfColumn(column);
  std::vector<SortKey> keys(static_cast<std::size_t>(list.RowCount()));
  for (int row : documents) {
    keys[static_cast<std::size_t>(row)] = KeyOf(kind, list.Field(row, column));
  }
  std::stable_sort(documents.begin(), documents.end(), [&](int x, int y) {
    const SortKey& a = keys[static_cast<std::size_t>(x)];
    const SortKey& b = keys[static_cast<std::size_t>(y)];
    if (a.part != b.part) {
      return a.part < b.part;
    }
    if (a.part == SortKey::Empty) {
      return false;
    }
    return ascending ? Before(a, b) : Before(b, a);
  });
  std::vector<int> order = documents;
  std::vector<bool> isDocument(static_cast<std::size_t>(list.RowCount()), false);
  for (int row : documents) {
    isDocument[static_cast<std::size_t>(row)] = true;
  }
  for (int row = 0; row < list.RowCount(); ++row) {
    if (!isDocument[static_cast<std::size_t>(row)]) {
      order.push_back(row);
    }
  }
  return order;
}

}  // namespace commands
