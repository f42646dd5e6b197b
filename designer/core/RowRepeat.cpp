#include "designer/core/RowRepeat.h"

#include <algorithm>
#include <set>

#include "designer/core/ElementSnap.h"
#include "designer/core/GroupEdits.h"
#include "designer/core/NewElements.h"
#include "designer/core/RecordFields.h"
#include "layout/core/StyleFile.h"
#include "platform/errors/UserError.h"
#include "printing/core/Binding.h"

namespace designer {

namespace {

// Calls `found(start, row)` for every row tag's number in `text` (two
// digits at `start`), read as the binding reads them: "#m", a letter from a
// to k, "_" and two digits from 01 to 99; what follows them is text (the
// binding fills #ma_012 with row 1 and leaves the "2"). #ma_1 and #ma_00
// name no row.
template <typename Found>
void ForEachRowTag(std::string_view text, Found found) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (std::size_t at = text.find("#m"); at != std::string_view::npos;
       at = text.find("#m", at + 1)) {
    if (at + 6 > text.size() || text[at + 2] < 'a' || text[at + 2] > 'k' || text[at + 3] != '_' ||
        !digit(text[at + 4]) || !digit(text[at + 5])) {
      continue;
    }
    int row = (text[at + 4] - '0') * 10 + (text[at + 5] - '0');
    if (row >= 1) {
      found(at + 4, row);
    }
  }
}

// The highest row any line of the style names (0: none).
int HighestRow(const StyleDocument& document) {
  int highest = 0;
  for (int i = 1; i < document.LineCount(); ++i) {
    for (int row : RowsOfLine(document.Text(i))) {
      highest = std::max(highest, row);
    }
  }
  return highest;
}

std::set<int> RowsOf(const StyleDocument& document, const std::vector<int>& lines) {
  std::set<int> rows;
  for (int line : lines) {
    for (int row : RowsOfLine(document.Text(line))) {
      rows.insert(row);
    }
  }
  return rows;
}

void CheckLastRow(int row) {
  if (row > kLastTagRow) {
    throw platform::UserError("行の番号は " + std::to_string(kLastTagRow) +
                              " までです。これ以上の行は作れません");
  }
}

// The selected lines that draw something: the page's capacity is a
// setting of the page, never repeated (a second one would be drawn as text).
std::vector<int> DrawnElements(const StyleDocument& document, const std::vector<int>& lines) {
  std::vector<int> drawn;
  for (int line : SortedPageLines(document, lines)) {
    if (!HoldsOnlyCapacity(RecordFields(document.Text(line)).Get(20))) {
      drawn.push_back(line);
    }
  }
  if (drawn.empty()) {
    throw platform::UserError("繰り返す要素が選ばれていません");
  }
  return drawn;
}

// The line of the page's capacity the binding reads (the first one naming
// it), or -1.
int CapacityLine(const StyleDocument& document) {
  for (int i = 1; i < document.LineCount(); ++i) {
    if (document.Text(i).find(kCapacityTag) != std::string::npos) {
      return i;
    }
  }
  return -1;
}

// The copies' texts added right after the last selected line, in one
// edit; with `rows`, the page's capacity set to it: on the line that holds
// the tag alone, else (none yet) on a new text element made the first one,
// as the binding reads the first. A capacity sharing its text with other
// words cannot be set and is refused. The copies, and the originals too with
// `selectOriginals`, are selected after.
StyleEdit AddCopies(const StyleDocument& document, const std::vector<int>& selection,
                    const std::vector<std::string>& copies, std::optional<int> rows,
                    bool selectOriginals, std::string description) {
  const int kTextField = 20;
  int capacityLine = rows ? CapacityLine(document) : -1;
  std::optional<std::string> capacityText;
  bool newCapacity = rows && capacityLine < 0;
  if (capacityLine > 0) {
    RecordFields fields(document.Text(capacityLine));
    if (!HoldsOnlyCapacity(fields.Get(kTextField))) {
      throw platform::UserError(
          std::to_string(layout::LineNumberShown(capacityLine)) +
          " 行目の #maxline= はほかの文字と一緒のため、1ページの行数を変えられません。"
          "その行を直してから繰り返してください");
    }
    fields.Set(kTextField, std::string(kCapacityTag) + std::to_string(*rows));
    capacityText = fields.Join();
  }
  int first = newCapacity ? 1 : selection.front();
  int last = selection.back();
  if (capacityLine > 0) {
    first = std::min(first, capacityLine);
    last = std::max(last, capacityLine);
  }
  std::string lineBreak = document.Lines()[static_cast<std::size_t>(selection.back())].lineBreak;

  StyleEdit edit;
  edit.index = first;
  edit.description = std::move(description);
  std::vector<int> after;
  int at = first;  // where the next inserted line lands
  if (newCapacity) {
    // A text element at the page's corner carries it, as the shipped
    // styles do; the binding takes the tag away, so it draws nothing.
    RecordFields fields(NewElementLine(ElementKind::Data, MmPoint{}));
    for (int field = 6; field <= 9; ++field) {
      fields.Set(field, "0");
    }
    fields.Set(kTextField, std::string(kCapacityTag) + std::to_string(*rows));
    edit.inserted.push_back({fields.Join(), lineBreak});
    ++at;
  }
  for (int i = first; i <= last; ++i) {
    StyleLine line = document.Lines()[static_cast<std::size_t>(i)];
    edit.removed.push_back(line);
    if (i == capacityLine) {
      line.text = *capacityText;
    }
    edit.inserted.push_back(std::move(line));
    if (selectOriginals && std::binary_search(selection.begin(), selection.end(), i)) {
      after.push_back(at);
    }
    ++at;
    if (i == selection.back()) {
      for (const std::string& copy : copies) {
        edit.inserted.push_back({copy, lineBreak});
        after.push_back(at++);
      }
    }
  }
  SelectAround(edit, selection, after);
  return edit;
}

}  // namespace

std::vector<int> RowsOfLine(std::string_view text) {
  std::set<int> rows;
  ForEachRowTag(text, [&](std::size_t, int row) { rows.insert(row); });
  return {rows.begin(), rows.end()};
}

std::string RenumberedRows(std::string_view text, int by) {
  std::string renumbered;
  std::size_t copied = 0;
  ForEachRowTag(text, [&](std::size_t start, int row) {
    renumbered.append(text.substr(copied, start - copied));
    renumbered += printing::RowNumberText(row + by);
    copied = start + 2;
  });
  renumbered.append(text.substr(copied));
  return renumbered;
}

std::optional<Fixed> RowPitch(const StyleDocument& document) {
  std::optional<Fixed> first;
  std::optional<Fixed> second;
  for (int i = 1; i < document.PageEnd() && !(first && second); ++i) {
    std::vector<int> rows = RowsOfLine(document.Text(i));
    std::optional<Fixed> y = RecordFields(document.Text(i)).Decimal(7);
    if (!y) {
      continue;
    }
    if (!first && std::binary_search(rows.begin(), rows.end(), 1)) {
      first = y;
    }
    if (!second && std::binary_search(rows.begin(), rows.end(), 2)) {
      second = y;
    }
  }
  if (!first || !second || *second <= *first) {
    return std::nullopt;
  }
  return *second - *first;
}

StyleEdit DuplicateAsNextRows(const StyleDocument& document, const std::vector<int>& lines,
                              Fixed pitch) {
  std::vector<int> selection = DrawnElements(document, lines);
  std::set<int> rows = RowsOf(document, selection);
  // Without row tags it is one row further; with them, as many rows further
  // as the numbers move on, so the copy of row 1 of three lands in row 4's
  // place.
  int by = rows.empty() ? 0 : HighestRow(document) + 1 - *rows.begin();
  if (!rows.empty()) {
    CheckLastRow(*rows.rbegin() + by);
  }
  Fixed down = rows.empty() ? pitch : by * pitch;
  std::vector<std::string> copies;
  for (int line : selection) {
    copies.push_back(MovedText(RenumberedRows(document.Text(line), by), Fixed(), down, kTenthMm));
  }
  std::optional<int> capacity;
  if (!rows.empty()) {
    capacity = *rows.rbegin() + by;
  }
  return AddCopies(document, selection, copies, capacity, false, "次の行として複製");
}

StyleEdit RepeatElements(const StyleDocument& document, const std::vector<int>& lines, int across,
                         int down, Fixed pitchX, Fixed pitchY) {
  std::vector<int> selection = DrawnElements(document, lines);
  // Each count checked before they are multiplied.
  if (across < 1 || down < 1 || across > kMostRepeats || down > kMostRepeats || across * down < 2 ||
      across * down > kMostRepeats) {
    throw platform::UserError("繰り返す数は、横と縦をかけて 2 から " +
                              std::to_string(kMostRepeats) + " までにしてください");
  }
  std::set<int> rows = RowsOf(document, selection);
  if (!rows.empty() && HighestRow(document) > *rows.rbegin()) {
    // The copies would be numbered after those rows but laid over them.
    throw platform::UserError(
        "選んだ要素より後の行の要素があります。最後の行（カード）を選んで繰り返してください");
  }
  int places = across * down;
  int span = rows.empty() ? 0 : *rows.rbegin() - *rows.begin() + 1;
  int firstBy = rows.empty() ? 0 : HighestRow(document) + 1 - *rows.begin();
  if (!rows.empty()) {
    CheckLastRow(*rows.rbegin() + firstBy + (places - 2) * span);
  }
  std::vector<std::string> copies;
  for (int place = 1; place < places; ++place) {
    int by = rows.empty() ? 0 : firstBy + (place - 1) * span;
    Fixed dx = (place % across) * pitchX;
    Fixed dy = (place / across) * pitchY;
    for (int line : selection) {
      copies.push_back(MovedText(RenumberedRows(document.Text(line), by), dx, dy, kTenthMm));
    }
  }
  std::optional<int> capacity;
  if (!rows.empty()) {
    capacity = *rows.rbegin() + firstBy + (places - 2) * span;
  }
  return AddCopies(document, selection, copies, capacity, true, "繰り返し配置");
}

}  // namespace designer
