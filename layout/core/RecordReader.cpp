#include "layout/core/RecordReader.h"

#include <cstdint>

#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"
#include "platform/text/Utf8.h"

namespace layout {

bool ParseStyleInteger(std::string_view text, int& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return false;
  }
  std::int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
    v = v * 10 + (c - '0');
    if (v > std::int64_t{INT32_MAX} + 1) {
      return false;
    }
  }
  v = negative ? -v : v;
  if (v < INT32_MIN || v > INT32_MAX) {
    return false;
  }
  value = static_cast<int>(v);
  return true;
}

namespace {

// "'" + field + rest, appended in order: GCC 12 warns (-Wrestrict, a false
// positive) when a string is inserted after a literal with operator+.
std::string QuotedFieldMessage(std::string_view field, const char* rest) {
  std::string message = "'";
  // Lines being drawn are UTF-8; style files as written, code page 932.
  message +=
      platform::ValidUtf8(field) == field ? std::string(field) : platform::Cp932ToUtf8(field);
  message += rest;
  return message;
}

}  // namespace

std::string NotAnIntegerMessage(std::string_view field) {
  return QuotedFieldMessage(field, "' は整数ではありません");
}

std::string NotADecimalMessage(std::string_view field) {
  return QuotedFieldMessage(field, "' は浮動小数点数ではありません");
}

std::string RecordReader::TakeField() {
  std::size_t semicolon = rest_.find(';');
  if (semicolon == std::string::npos) {
    return rest_;
  }
  std::string field = rest_.substr(0, semicolon);
  rest_.erase(0, semicolon + 1);
  return field;
}

int RecordReader::TakeNumberField() {
  std::size_t semicolon = rest_.find(';');
  if (semicolon == std::string::npos) {
    return 0;
  }
  std::string field = rest_.substr(0, semicolon);
  rest_.erase(0, semicolon + 1);
  if (field.empty()) {
    return 0;
  }
  int value = 0;
  if (!ParseStyleInteger(field, value)) {
    throw platform::UserError(NotAnIntegerMessage(field));
  }
  return value;
}

Fixed RecordReader::TakeDecimal() {
  std::string field = TakeField();
  std::optional<Fixed> value = Fixed::Parse(field);
  if (!value) {
    throw platform::UserError(NotADecimalMessage(field));
  }
  return *value;
}

int RecordReader::TakeInteger() {
  std::string field = TakeField();
  int value = 0;
  if (!ParseStyleInteger(field, value)) {
    throw platform::UserError(NotAnIntegerMessage(field));
  }
  return value;
}

int RecordReader::TakeIntegerOr0() {
  int value = 0;
  return ParseStyleInteger(TakeField(), value) ? value : 0;
}

}  // namespace layout
