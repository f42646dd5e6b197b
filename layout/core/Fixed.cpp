#include "layout/core/Fixed.h"

#include <algorithm>

namespace layout {

namespace {

// Pixel coordinates stay within +-2^29, so the width of any box between two
// of them still fits an int.
constexpr __int128 kPixelLimit = __int128{1} << 29;
// Fraction digits kept exactly: 10^30 times 10^4 still fits in 128 bits.
constexpr __int128 kFractionScaleLimit =
    static_cast<__int128>(1000000000000000LL) * static_cast<__int128>(1000000000000000LL);

}  // namespace

__int128 DivideHalfEven(__int128 n, __int128 d) {
  if (d < 0) {
    n = -n;
    d = -d;
  }
  __int128 q = n / d;
  __int128 r = n % d;
  if (r < 0) {
    r = -r;
  }
  __int128 twice = 2 * r;
  if (twice > d || (twice == d && q % 2 != 0)) {
    q += n < 0 ? -1 : 1;
  }
  return q;
}

std::optional<Fixed> Fixed::Parse(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  __int128 whole = 0;
  __int128 fraction = 0;  // the digits after the point, as a number
  __int128 scale = 1;     // 10 ^ number of those digits
  bool digits = false;
  bool point = false;
  bool sticky = false;  // a non-zero digit beyond those kept
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    digits = true;
    if (!point) {
      whole = whole * 10 + (c - '0');
      if (whole > kMaxRaw) {
        return std::nullopt;
      }
    } else if (scale < kFractionScaleLimit) {
      fraction = fraction * 10 + (c - '0');
      scale *= 10;
    } else if (c != '0') {
      sticky = true;
    }
  }
  if (sticky) {
    // Just above what the kept digits say, so an exact half rounds up.
    fraction = fraction * 10 + 1;
    scale *= 10;
  }
  if (!digits) {
    return std::nullopt;
  }
  __int128 raw = whole * kOne + DivideHalfEven(fraction * kOne, scale);
  if (raw > kMaxRaw) {
    return std::nullopt;
  }
  return Fixed(static_cast<std::int64_t>(negative ? -raw : raw));
}

Fixed Fixed::Divide(Fixed a, Fixed b) {
  __int128 raw = DivideHalfEven(static_cast<__int128>(a.raw_) * kOne, b.raw_);
  return Fixed(static_cast<std::int64_t>(std::clamp<__int128>(raw, -kMaxRaw, kMaxRaw)));
}

Fixed Fixed::Multiply(Fixed a, Fixed b) {
  __int128 raw = DivideHalfEven(static_cast<__int128>(a.raw_) * b.raw_, kOne);
  return Fixed(static_cast<std::int64_t>(std::clamp<__int128>(raw, -kMaxRaw, kMaxRaw)));
}

std::string Fixed::ToString() const {
  std::int64_t magnitude = raw_ < 0 ? -raw_ : raw_;
  std::string text = std::to_string(magnitude / kOne);
  std::int64_t part = magnitude % kOne;
  if (part != 0) {
    std::string places = std::to_string(part + kOne).substr(1);
    while (!places.empty() && places.back() == '0') {
      places.pop_back();
    }
    text += "." + places;
  }
  return raw_ < 0 ? "-" + text : text;
}

int TruncProduct(Fixed a, Fixed b) {
  __int128 product = static_cast<__int128>(a.Raw()) * b.Raw() / (Fixed::kOne * Fixed::kOne);
  return static_cast<int>(std::clamp(product, -kPixelLimit, kPixelLimit));
}

}  // namespace layout
