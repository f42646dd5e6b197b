#include "catalogue/core/DocumentList.h"

#include <algorithm>

#include "catalogue/core/ListFile.h"

namespace catalogue {

namespace {

const std::string kNoText;

constexpr const char* kHeadings[kRecordFieldCount] = {
    "ファイル名", "タイトル", "最終更新日時", "サブタイトル", "作成者",  "キーワード",
    "コメント",   "更新者",   "改訂番号",     "印刷日時",     "作成日時"};

bool IsField(int field) {
  return field >= 0 && field < static_cast<int>(kRecordFieldCount);
}

}  // namespace

DocumentList::DocumentList(int rows) {
  SetRowCount(rows);
}

const char* DocumentList::Heading(int field) {
  return IsField(field) ? kHeadings[field] : "";
}

const std::string& DocumentList::Field(int row, int field) const {
  if (!InRange(row) || !IsField(field)) {
    return kNoText;
  }
  return rows_[static_cast<std::size_t>(row)].fields[static_cast<std::size_t>(field)];
}

void DocumentList::SetField(int row, int field, std::string value) {
  if (InRange(row) && IsField(field)) {
    rows_[static_cast<std::size_t>(row)].fields[static_cast<std::size_t>(field)] = std::move(value);
  }
}

bool DocumentList::HoldsDocument(int row) const {
  return !Field(row, 0).empty();
}

bool DocumentList::FromUnreadableFile(int row) const {
  return InRange(row) && rows_[static_cast<std::size_t>(row)].unreadable;
}

void DocumentList::NoteUnreadable(int row, std::string name, std::string reason) {
  if (InRange(row)) {
    rows_[static_cast<std::size_t>(row)].note =
        std::make_shared<const UnreadableNote>(UnreadableNote{std::move(name), std::move(reason)});
  }
}

const std::string& DocumentList::UnreadableName(int row) const {
  const Row* noted = InRange(row) ? &rows_[static_cast<std::size_t>(row)] : nullptr;
  return noted != nullptr && noted->note ? noted->note->name : kNoText;
}

const std::string& DocumentList::UnreadableReason(int row) const {
  const Row* noted = InRange(row) ? &rows_[static_cast<std::size_t>(row)] : nullptr;
  return noted != nullptr && noted->note ? noted->note->reason : kNoText;
}

void DocumentList::SetRowCount(int rows) {
  rows_.resize(static_cast<std::size_t>(std::max(rows, 1)));
}

void DocumentList::EmptyRow(int row) {
  if (InRange(row)) {
    rows_[static_cast<std::size_t>(row)] = Row{};
  }
}

void DocumentList::EmptyAll() {
  for (Row& row : rows_) {
    row = Row{};
  }
}

void DocumentList::MoveRow(int from, int to) {
  if (!InRange(from) || !InRange(to) || from == to) {
    return;
  }
  auto at = [&](int row) { return rows_.begin() + row; };
  if (from < to) {
    std::rotate(at(from), at(from + 1), at(to + 1));
  } else {
    std::rotate(at(to), at(from), at(from + 1));
  }
}

void DocumentList::Arrange(const std::vector<int>& order) {
  if (order.size() != rows_.size()) {
    return;
  }
  std::vector<bool> seen(rows_.size(), false);
  for (int row : order) {
    if (!InRange(row) || seen[static_cast<std::size_t>(row)]) {
      return;
    }
    seen[static_cast<std::size_t>(row)] = true;
  }
  std::vector<Row> arranged;
  arranged.reserve(rows_.size());
  for (int row : order) {
    arranged.push_back(std::move(rows_[static_cast<std::size_t>(row)]));
  }
  rows_ = std::move(arranged);
}

std::vector<DocumentList::Row> DocumentList::TakeRows(const std::vector<int>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!InRange(rows[i]) || (i > 0 && rows[i] <= rows[i - 1])) {
      return {};
    }
  }
  std::vector<Row> taken;
  taken.reserve(rows.size());
  if (rows.empty()) {
    return taken;
  }
  // The rows above the first taken stay where they are; below it, each
  // kept row moves up over the gaps.
  std::size_t write = static_cast<std::size_t>(rows.front());
  std::size_t next = 0;
  for (std::size_t row = write; row < rows_.size(); ++row) {
    if (next < rows.size() && static_cast<std::size_t>(rows[next]) == row) {
      taken.push_back(std::move(rows_[row]));
      ++next;
    } else {
      rows_[write++] = std::move(rows_[row]);
    }
  }
  rows_.resize(write);
  SetRowCount(RowCount());
  return taken;
}

void DocumentList::PutBackRows(const std::vector<int>& rows, std::vector<Row> taken) {
  if (rows.size() != taken.size() || rows.empty()) {
    return;
  }
  std::size_t total = rows_.size() + rows.size();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] < 0 || static_cast<std::size_t>(rows[i]) >= total ||
        (i > 0 && rows[i] <= rows[i - 1])) {
      return;
    }
  }
  // From the bottom up, each kept row moves down past the rows coming back
  // below it; above the first row put back, nothing moves.
  std::size_t kept = rows_.size();
  rows_.resize(total);
  std::size_t next = rows.size();
  for (std::size_t row = total; row-- > static_cast<std::size_t>(rows.front());) {
    if (next > 0 && static_cast<std::size_t>(rows[next - 1]) == row) {
      rows_[row] = std::move(taken[--next]);
    } else {
      rows_[row] = std::move(rows_[--kept]);
    }
  }
}

std::vector<int> DocumentList::DocumentRows() const {
  std::vector<int> rows;
  for (int row = 0; row < RowCount(); ++row) {
    if (HoldsDocument(row)) {
      rows.push_back(row);
    }
  }
  return rows;
}

void DocumentList::Load(const std::string& path) {
  EmptyAll();
  // Line by line into the rows: the file is never held besides them.
  std::size_t next = 0;
  ForEachListLine(path, [&](std::string&& rest) {
    if (next >= rows_.size()) {
      rows_.emplace_back();
    }
    Row& row = rows_[next++];
    for (std::string& field : row.fields) {
      field = NextField(rest);
    }
    row.unreadable = row.fields[0].empty();
  });
}

std::vector<std::string> DocumentList::ListLines(char tail) const {
  std::vector<std::string> lines;
  for (int row : DocumentRows()) {
    lines.push_back(GridRowLine(rows_[static_cast<std::size_t>(row)].fields, tail));
  }
  return lines;
}

}  // namespace catalogue
