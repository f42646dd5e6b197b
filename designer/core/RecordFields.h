#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/core/Fixed.h"

namespace designer {

// The fields of one record line, numbered from 1. Each field is ended by
// ";"; text after the last ";" is one more field without its ";" (kept so,
// so that joining gives the line back exactly).
class RecordFields {
 public:
  explicit RecordFields(std::string_view line);

  int Count() const { return static_cast<int>(fields_.size()); }
  // Field n (1-based) as written; empty beyond the last field.
  std::string Get(int n) const;
  // Sets field n; a record shorter than n gains empty fields up to it, each
  // ended by ";".
  void Set(int n, std::string value);
  // The line: every field followed by ";", except an unterminated last one.
  std::string Join() const;

  // Field n as the layout engine reads a decimal / integer; nothing when it
  // does not convert.
  std::optional<layout::Fixed> Decimal(int n) const;
  std::optional<int> Integer(int n) const;

 private:
  std::vector<std::string> fields_;
  bool lastUnterminated_ = false;
};

// The field 5 of a line (its keyword), read as the layout engine reads it.
std::string KeywordOf(std::string_view line);

// A decimal as a style field writes it: at most four places, "." as point,
// no trailing zeros ("12.5", "-3", "0").
std::string DecimalText(layout::Fixed value);

}  // namespace designer
