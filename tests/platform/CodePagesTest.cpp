#include "platform/text/CodePages.h"

#include <gtest/gtest.h>

#include "platform/text/Iconv.h"

namespace platform {
namespace {

TEST(CodePages, ConvertsTheCodePagesDocumentsUse) {
  EXPECT_EQ(CodePageToCp932("abc", 1252), "abc");
  EXPECT_EQ(CodePageToCp932("\xE6\x97\xA5", 65001), "\x93\xFA");
  EXPECT_EQ(CodePageToCp932(std::string("\xE5\x65", 2), 1200), "\x93\xFA");
  EXPECT_EQ(CodePageToCp932("\xA4\xE9", 950), "\x93\xFA");           // Big5 日
  EXPECT_EQ(CodePageToCp932("\xC8\xD5", 936), "\x93\xFA");           // GBK 日
  EXPECT_EQ(CodePageToCp932("\xC6\xFC", 51932), "\x93\xFA");         // EUC-JP 日
  EXPECT_EQ(CodePageToCp932("\xC1\xE2", 1251), "\x84\x41\x84\x72");  // Cyrillic Бв
  EXPECT_EQ(CodePageToCp932("A\xA5", 10000), "A?");                  // Mac Roman bullet
}

TEST(CodePages, ReplacesWhatCp932CannotHoldAndKeepsTheRest) {
  // Hebrew: each letter one "?", the last one included (the decoder holds it
  // back until the conversion is flushed).
  EXPECT_EQ(CodePageToCp932("\xF9\xEC\xE5\xED", 1255), "????");
  // Vietnamese: a base letter is held back until a combining mark may follow.
  EXPECT_EQ(CodePageToCp932("a\xEC", 1258), "?");  // a + combining acute = á
  // Invalid UTF-8 and a truncated UTF-16 unit.
  EXPECT_EQ(CodePageToCp932("a\xFF"
                            "b",
                            65001),
            "a?b");
  EXPECT_EQ(CodePageToCp932(std::string("A\0B", 3), 1200), "A?");
}

TEST(CodePages, HeldBackCharactersComeOutBeforeAReplacement) {
  // CP1255 holds a letter back in case a point follows; an undecodable byte
  // after it must not jump ahead of it.
  const Iconv* decode = Iconv::Cached("UTF-8", "CP1255");
  ASSERT_NE(decode, nullptr);
  std::string out;
  decode->Convert("\xF9\xFF\xEC", out, 1, "?");
  EXPECT_EQ(out, "\xD7\xA9?\xD7\x9C");  // shin ? lamed
}

TEST(CodePages, UnknownCodePagesAreRefused) {
  EXPECT_EQ(CodePageToCp932("x", 0), std::nullopt);
  EXPECT_EQ(CodePageToCp932("x", 12345), std::nullopt);
  EXPECT_EQ(CodePageToCp932("x", 1), std::nullopt);
  EXPECT_EQ(IconvNameOfCodePage(28591), "ISO-8859-1");
  EXPECT_EQ(IconvNameOfCodePage(65001), "UTF-8");
}

}  // namespace
}  // namespace platform
