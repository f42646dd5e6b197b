#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace layout {

// A decimal number with exactly four decimal places: millimetres, scales,
// resolutions and drawing factors. Stored as a 64-bit count of
// ten-thousandths; every product is formed exactly in 128 bits.
class Fixed {
 public:
  static constexpr std::int64_t kOne = 10000;
  // The largest magnitude a field may hold: any 64-bit count (about 9.2e14
  // whole units). Sums and products are formed in 128 bits and kept within it.
  static constexpr std::int64_t kMaxRaw = INT64_MAX;

  constexpr Fixed() = default;
  // Unchecked: the caller keeps `raw` within +-kMaxRaw and `value` within
  // +-kMaxRaw / kOne.
  static constexpr Fixed FromRaw(std::int64_t raw) { return Fixed(raw); }
  static constexpr Fixed FromInt(std::int64_t value) { return Fixed(value * kOne); }

  // Optional sign, digits, optional "." and digits (at least one digit in
  // all); more than four places are rounded half to even. Nothing for any
  // other text or a magnitude beyond kMaxRaw.
  static std::optional<Fixed> Parse(std::string_view text);

  // a / b, rounded half to even to four places (b must not be zero).
  static Fixed Divide(Fixed a, Fixed b);
  // a * b, rounded half to even to four places.
  static Fixed Multiply(Fixed a, Fixed b);

  constexpr std::int64_t Raw() const { return raw_; }
  // Toward zero, to a whole number.
  constexpr std::int64_t Trunc() const { return raw_ / kOne; }
  // The shortest text that reads back as the same value ("12.5", "-3", "0").
  std::string ToString() const;

  // Sums saturate at +-kSumLimit, so repeated steps can never overflow.
  static constexpr std::int64_t kSumLimit = kMaxRaw;
  friend constexpr Fixed operator+(Fixed a, Fixed b) {
    return Fixed(Saturate(static_cast<__int128>(a.raw_) + b.raw_));
  }
  friend constexpr Fixed operator-(Fixed a, Fixed b) {
    return Fixed(Saturate(static_cast<__int128>(a.raw_) - b.raw_));
  }
  // n times a, saturating likewise.
  friend constexpr Fixed operator*(std::int64_t n, Fixed a) {
    return Fixed(Saturate(static_cast<__int128>(n) * a.raw_));
  }
  friend constexpr Fixed operator-(Fixed a) { return Fixed(-a.raw_); }
  friend constexpr bool operator==(Fixed a, Fixed b) = default;
  friend constexpr auto operator<=>(Fixed a, Fixed b) = default;

 private:
  constexpr explicit Fixed(std::int64_t raw) : raw_(raw) {}
  static constexpr std::int64_t Saturate(__int128 v) {
    return static_cast<std::int64_t>(v > kSumLimit ? kSumLimit : (v < -kSumLimit ? -kSumLimit : v));
  }
  std::int64_t raw_ = 0;
};

// trunc(a * b) toward zero, exactly, kept within +-2^29 (a pixel coordinate).
int TruncProduct(Fixed a, Fixed b);

// n / d rounded half to even (d > 0), in 128 bits.
__int128 DivideHalfEven(__int128 n, __int128 d);

}  // namespace layout
