#pragma once

#include <string>
#include <string_view>

#include "layout/core/Fixed.h"

namespace layout {

// Takes the fields of one style record from its front. Fields are ended by
// ";"; text after the last ";" counts as one more field, which every further
// TakeField returns again. Conversion failures throw platform::UserError with
// the program's conversion messages.
class RecordReader {
 public:
  explicit RecordReader(std::string record) : rest_(std::move(record)) {}

  // The text before the first ";", removed with it; without a ";", the whole
  // rest, which stays.
  std::string TakeField();
  // The text before the first ";" as an integer (empty: 0), removed with it;
  // without a ";", 0 and nothing removed.
  int TakeNumberField();

  // The value kinds of the fields.
  Fixed TakeDecimal();
  int TakeInteger();
  int TakeIntegerOr0();
  bool TakeFlag() { return TakeNumberField() == 1; }
  int TakeLength() { return TakeNumberField(); }

  const std::string& Rest() const { return rest_; }

 private:
  std::string rest_;
};

// A whole number as style fields write it: optional leading blanks, optional
// sign, decimal digits, within the int range.
bool ParseStyleInteger(std::string_view text, int& value);

// The conversion messages, with the field's text in them.
std::string NotAnIntegerMessage(std::string_view field);
std::string NotADecimalMessage(std::string_view field);

}  // namespace layout
