#include "layout/core/Fixed.h"

#include <gtest/gtest.h>

#include "layout/core/DrawingContext.h"

namespace layout {
namespace {

std::optional<std::int64_t> Raw(const char* text) {
  std::optional<Fixed> value = Fixed::Parse(text);
  return value ? std::optional<std::int64_t>(value->Raw()) : std::nullopt;
}

TEST(Fixed, ParsesDecimalsToFourPlacesHalfToEven) {
  EXPECT_EQ(Raw("2"), 20000);
  EXPECT_EQ(Raw("12.5"), 125000);
  EXPECT_EQ(Raw("-3.25"), -32500);
  EXPECT_EQ(Raw("+.5"), 5000);
  EXPECT_EQ(Raw("7."), 70000);
  EXPECT_EQ(Raw("1.23456"), 12346);
  EXPECT_EQ(Raw("0.00005"), 0);                     // half to even: down
  EXPECT_EQ(Raw("0.00015"), 2);                     // half to even: up
  EXPECT_EQ(Raw("0.000050000000000000000001"), 1);  // beyond half
  // Any 64-bit count of ten-thousandths, and no more.
  EXPECT_EQ(Raw("92233720368547"), 922337203685470000);
  EXPECT_EQ(Raw("922337203685477.5807"), INT64_MAX);
  EXPECT_EQ(Raw("-922337203685477.5807"), -INT64_MAX);
  for (const char* bad : {"", "-", ".", "abc", "1e3", "1.2.3", "--1", " 1", "1,5", "0x10",
                          "99999999999999999999", "922337203685477.5808", "1234567890123456"}) {
    EXPECT_EQ(Raw(bad), std::nullopt) << bad;
  }
}

TEST(Fixed, WritesTheShortestText) {
  EXPECT_EQ(Fixed::FromRaw(125000).ToString(), "12.5");
  EXPECT_EQ(Fixed::FromRaw(-32500).ToString(), "-3.25");
  EXPECT_EQ(Fixed::FromRaw(0).ToString(), "0");
  EXPECT_EQ(Fixed::FromRaw(-1).ToString(), "-0.0001");
  EXPECT_EQ(Fixed::Parse(Fixed::FromRaw(987654321).ToString())->Raw(), 987654321);
}

TEST(Fixed, ScalesAndPixelsAsThePageNeedsThem) {
  Fixed mmPerInch = Fixed::FromRaw(254000);
  EXPECT_EQ(Fixed::Divide(Fixed::FromInt(96), mmPerInch).Raw(), 37795);
  EXPECT_EQ(Fixed::Divide(Fixed::FromInt(600), mmPerInch).Raw(), 236220);
  Fixed scale = Fixed::FromRaw(37795);
  EXPECT_EQ(MmToPixel(Fixed::FromInt(10), 0, scale), 37);
  EXPECT_EQ(MmToPixel(Fixed(), 5, scale), 18);
  EXPECT_EQ(MmToPixel(Fixed::FromInt(10), 5, scale), 56);
  EXPECT_EQ(MmToPixel(*Fixed::Parse("-0.1"), 0, scale), 0);  // toward zero
  EXPECT_EQ(MmToPixel(*Fixed::Parse("-0.3"), 0, scale), -1);
  // Huge values stay within the pixel range instead of overflowing.
  Fixed huge = *Fixed::Parse("90000000000000");
  EXPECT_EQ(MmToPixel(huge, 0, Fixed::FromInt(1000)), 1 << 29);
  Fixed sum;
  for (int i = 0; i < 120; ++i) {
    sum = sum + huge;
  }
  EXPECT_EQ(sum.Raw(), Fixed::kSumLimit);
  EXPECT_EQ((1000 * huge).Raw(), Fixed::kSumLimit);
  // The same on the negative side, and products and quotients at the limit.
  Fixed most = Fixed::FromRaw(Fixed::kMaxRaw);
  EXPECT_EQ((Fixed() - most - most).Raw(), -Fixed::kMaxRaw);
  EXPECT_EQ((-most).Raw(), -Fixed::kMaxRaw);
  EXPECT_EQ(Fixed::Multiply(most, Fixed::FromInt(-3)).Raw(), -Fixed::kMaxRaw);
  EXPECT_EQ(Fixed::Divide(most, Fixed::FromRaw(1)).Raw(), Fixed::kMaxRaw);
  EXPECT_EQ(MmToPixel(-most, 0, Fixed::FromInt(1000)), -(1 << 29));
}

}  // namespace
}  // namespace layout
