#include "catalogue/core/FileTimeText.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <ctime>

#include "tests/support/PropertySetBuilder.h"

namespace catalogue {
namespace {

using testsupport::FileTimeOfUtc;

std::string Text(std::uint64_t fileTime, std::int64_t offset = 0) {
  return FileTimeToText(fileTime, RegionalFormats{}, offset);
}

TEST(FileTimeToText, UsesTheJapaneseShortDateAndLongTime) {
  EXPECT_EQ(Text(FileTimeOfUtc(2004, 5, 6, 9, 7, 3)), "2004/05/06 9:07:03");
  EXPECT_EQ(Text(FileTimeOfUtc(2004, 5, 6, 0, 0, 0)), "2004/05/06");
  EXPECT_EQ(Text(FileTimeOfUtc(2004, 5, 6, 0, 0, 1)), "2004/05/06 0:00:01");
  EXPECT_EQ(Text(0), "");
  // Milliseconds never show, and do not count as a time of day.
  EXPECT_EQ(Text(FileTimeOfUtc(2004, 5, 6, 0, 0, 0) + 5'000'000), "2004/05/06");
}

TEST(FileTimeToText, AppliesTheLocalBias) {
  std::uint64_t utc = FileTimeOfUtc(2004, 5, 6, 15, 30, 0);
  EXPECT_EQ(Text(utc, 9 * 3600), "2004/05/07 0:30:00");
  EXPECT_EQ(Text(FileTimeOfUtc(2004, 5, 6, 15, 0, 0), 9 * 3600), "2004/05/07");
  EXPECT_EQ(Text(utc, -5 * 3600), "2004/05/06 10:30:00");
}

TEST(FileTimeToText, HandlesTheEdgesOfTheRange) {
  EXPECT_EQ(Text(1), "1601/01/01");  // 100 ns after the epoch
  EXPECT_EQ(Text(10'000'000ULL * 61), "1601/01/01 0:01:01");
  EXPECT_EQ(Text(FileTimeOfUtc(2000, 2, 29, 12, 0, 0)), "2000/02/29 12:00:00");
  EXPECT_EQ(Text(FileTimeOfUtc(1900, 3, 1, 0, 0, 0)), "1900/03/01");
  // Beyond 2^63 - 1 the text is that of the last representable instant,
  // and a bias there does not overflow.
  EXPECT_EQ(Text(~0ULL), Text(0x7FFFFFFFFFFFFFFFULL));
  EXPECT_EQ(Text(0x7FFFFFFFFFFFFFFFULL, 9 * 3600), Text(0x7FFFFFFFFFFFFFFFULL));
  EXPECT_EQ(Text(0x7FFFFFFFFFFFFFFFULL), "30828/09/14 2:48:05");
  // A negative bias before the epoch gives the year 1600.
  EXPECT_EQ(Text(1, -3600), "1600/12/31 23:00:00");
}

TEST(FormatPicture, KnowsTheCommonPictureLetters) {
  CalendarTime t{2004, 5, 6, 21, 7, 3};
  EXPECT_EQ(FormatPicture("yy/M/d", t), "04/5/6");
  EXPECT_EQ(FormatPicture("yyyy'年'MM'月'dd'日'", t), "2004年05月06日");
  EXPECT_EQ(FormatPicture("hh:mm:ss tt", t), "09:07:03 PM");
  EXPECT_EQ(FormatPicture("h 'o''clock'", t), "9 o'clock");
  EXPECT_EQ(FormatPicture("HH", CalendarTime{2004, 5, 6, 0, 0, 0}), "00");
  EXPECT_EQ(FormatPicture("h t", CalendarTime{2004, 5, 6, 0, 0, 0}), "12 A");
}

TEST(CurrentUtcOffset, FollowsTheProcessTimeZone) {
  const char* old = std::getenv("TZ");
  std::string saved = old != nullptr ? old : "";
  ::setenv("TZ", "JST-9", 1);
  ::tzset();
  EXPECT_EQ(CurrentUtcOffsetSeconds(), 9 * 3600);
  ::setenv("TZ", "UTC0", 1);
  ::tzset();
  EXPECT_EQ(CurrentUtcOffsetSeconds(), 0);
  if (old != nullptr) {
    ::setenv("TZ", saved.c_str(), 1);
  } else {
    ::unsetenv("TZ");
  }
  ::tzset();
}

}  // namespace
}  // namespace catalogue
