#include "platform/text/Cp932.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(Cp932, ConvertsBothWaysWithTheWindowsMappings) {
  // 表 (95 5C), the wave dash (81 60 -> U+FF5E), NEC ① (87 40), IBM ext. (FA 40).
  std::string sjis = "\x95\x5C\x81\x60\x87\x40\xFA\x40\\~";
  std::string utf8 = "\xE8\xA1\xA8\xEF\xBD\x9E\xE2\x91\xA0\xE2\x85\xB0\\~";
  EXPECT_EQ(Cp932ToUtf8(sjis), utf8);
  EXPECT_EQ(Utf8ToCp932(utf8), sjis);
  // Half-width katakana are single bytes.
  EXPECT_EQ(Utf8ToCp932("\xEF\xBD\xB1"), "\xB1");
  // The JIS wave dash (U+301C) and the minus sign (U+2212) find their CP932 form too.
  EXPECT_EQ(Utf8ToCp932("\xE3\x80\x9C\xE2\x88\x92"), "\x81\x60\x81\x7C");
}

TEST(Cp932, UnmappableAndInvalidTextBecomesOneMarkEach) {
  // é, a Hebrew letter and an emoji have no CP932 form; each becomes one "?".
  EXPECT_EQ(Utf8ToCp932("caf\xC3\xA9 \xD7\xA9 \xF0\x9F\x98\x80!"), "caf? ? ?!");
  // Invalid UTF-8 bytes become "?" and the rest is kept.
  EXPECT_EQ(Utf8ToCp932("a\xFF"
                        "b\xE3\x81"),
            "a?b?");
  // Bytes that are not CP932 show as U+FFFD; a lead byte at the end stands alone.
  EXPECT_EQ(Cp932ToUtf8("a\xA0"
                        "b\x81"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8(""), "");
  EXPECT_EQ(Utf8ToCp932(""), "");
}

TEST(Cp932, LongRunsOfUndecodableBytesShowAsOneMarkEach) {
  std::string shown = Cp932ToUtf8(std::string(200000, '\xFF'));
  ASSERT_EQ(shown.size(), 600000u);
  EXPECT_EQ(shown.substr(599997), "\xEF\xBF\xBD");
  std::string emoji;
  for (int i = 0; i < 200000; ++i) {
    emoji += "\xF0\x9F\x98\x80";
  }
  EXPECT_EQ(Utf8ToCp932(emoji), std::string(200000, '?'));
}

TEST(Cp932, LeadBytesAndPrefixesNeverSplitACharacter) {
  EXPECT_TRUE(IsCp932LeadByte(0x81));
  EXPECT_TRUE(IsCp932LeadByte(0x9F));
  EXPECT_TRUE(IsCp932LeadByte(0xE0));
  EXPECT_TRUE(IsCp932LeadByte(0xFC));
  EXPECT_FALSE(IsCp932LeadByte(0x80));
  EXPECT_FALSE(IsCp932LeadByte(0xA0));
  EXPECT_FALSE(IsCp932LeadByte(0xB1));  // half-width katakana
  EXPECT_FALSE(IsCp932LeadByte(0xFD));
  EXPECT_FALSE(IsCp932LeadByte(0x5C));

  std::string text =
      "a\x95\x5C"
      "b";  // a 表 b
  EXPECT_EQ(Cp932PrefixLength(text, 0), 0u);
  EXPECT_EQ(Cp932PrefixLength(text, 1), 1u);
  EXPECT_EQ(Cp932PrefixLength(text, 2), 1u);  // would split 表
  EXPECT_EQ(Cp932PrefixLength(text, 3), 3u);
  EXPECT_EQ(Cp932PrefixLength(text, 10), 4u);
  // The 0x5C second byte is never taken for a character of its own.
  EXPECT_EQ(Cp932PrefixLength("\x95\x5C\x95\x5C", 3), 2u);
  // A lone lead byte at the end counts as one byte.
  EXPECT_EQ(Cp932PrefixLength("a\x81", 2), 2u);
}

}  // namespace
}  // namespace platform
