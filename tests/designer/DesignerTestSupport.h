#pragma once

// Small helpers the designer's core tests share.

#include <cmath>
#include <cstdint>
#include <string>

#include "designer/core/ElementGeometry.h"
#include "platform/text/Cp932.h"

namespace designer {

inline std::string Sjis(const char* utf8) {
  return platform::Utf8ToCp932(utf8);
}

// Millimetres from a count of ten-thousandths.
inline Fixed Mm(std::int64_t tenThousandths) {
  return Fixed::FromRaw(tenThousandths);
}

// A page point in millimetres.
inline MmPoint At(double x, double y) {
  return {Mm(std::llround(x * 10000)), Mm(std::llround(y * 10000))};
}

}  // namespace designer
