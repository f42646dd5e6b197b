#include "designer/core/RecordFields.h"

#include <stdexcept>

#include "layout/core/RecordReader.h"

namespace designer {

RecordFields::RecordFields(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t semicolon = line.find(';', start);
    if (semicolon == std::string_view::npos) {
      fields_.emplace_back(line.substr(start));
      lastUnterminated_ = true;
      return;
    }
    fields_.emplace_back(line.substr(start, semicolon - start));
    start = semicolon + 1;
  }
}

std::string RecordFields::Get(int n) const {
  if (n < 1 || n > Count()) {
    return std::string();
  }
  return fields_[static_cast<std::size_t>(n - 1)];
}

void RecordFields::Set(int n, std::string value) {
  if (n < 1) {
    throw std::out_of_range("RecordFields::Set: field " + std::to_string(n));
  }
  // A field that is set is ended by ";" even when it was the unterminated
  // last one: the readers of flags and lengths take a field without its ";"
  // as 0, so the value would otherwise not be the value read.
  if (n >= Count()) {
    lastUnterminated_ = false;
  }
  if (n > Count()) {
    fields_.resize(static_cast<std::size_t>(n));
  }
  fields_[static_cast<std::size_t>(n - 1)] = std::move(value);
}

std::string RecordFields::Join() const {
  std::string line;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    line += fields_[i];
    if (!(lastUnterminated_ && i + 1 == fields_.size())) {
      line += ';';
    }
  }
  return line;
}

std::optional<layout::Fixed> RecordFields::Decimal(int n) const {
  return layout::Fixed::Parse(Get(n));
}

std::optional<int> RecordFields::Integer(int n) const {
  int value = 0;
  if (!layout::ParseStyleInteger(Get(n), value)) {
    return std::nullopt;
  }
  return value;
}

std::string KeywordOf(std::string_view line) {
  layout::RecordReader record{std::string(line)};
  std::string field;
  for (int i = 0; i < 5; ++i) {
    field = record.TakeField();
  }
  return field;
}

std::string DecimalText(layout::Fixed value) {
  return value.ToString();
}

}  // namespace designer
