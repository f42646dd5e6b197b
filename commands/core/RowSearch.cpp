#include "commands/core/RowSearch.h"

#include <algorithm>

namespace commands {

namespace {

char Folded(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool RowHolds(const catalogue::DocumentList& list, int row, std::string_view text) {
  for (int field = 0; field < static_cast<int>(catalogue::kRecordFieldCount); ++field) {
    if (HoldsIgnoringCase(list.Field(row, field), text)) {
      return true;
    }
  }
  return HoldsIgnoringCase(list.UnreadableName(row), text);
}

}  // namespace

bool HoldsIgnoringCase(std::string_view field, std::string_view text) {
  // Bytes of UTF-8 characters beyond ASCII are 0x80 and above: folding
  // byte by byte never matches half a character against a letter.
  auto same = [](char a, char b) { return Folded(a) == Folded(b); };
  return std::search(field.begin(), field.end(), text.begin(), text.end(), same) != field.end();
}

std::optional<int> FindRowHolding(const catalogue::DocumentList& list, std::string_view text,
                                  int after) {
  int rows = list.RowCount();
  if (text.empty() || rows == 0) {
    return std::nullopt;
  }
  int start = std::clamp(after, -1, rows - 1);
  for (int step = 1; step <= rows; ++step) {
    int row = (start + step) % rows;
    if (RowHolds(list, row, text)) {
      return row;
    }
  }
  return std::nullopt;
}

}  // namespace commands
