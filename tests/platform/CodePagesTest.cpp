#include "platform/text/CodePages.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <optional>

#include "fuzz/TextFuzzInput.h"
#include "platform/text/Cp932.h"
#include "platform/text/Iconv.h"
#include "tests/support/InputFiles.h"
#include "tests/support/TempDir.h"

namespace platform {
namespace {

TEST(CodePages, ConvertsTheCodePagesDocumentsUse) {
  EXPECT_EQ(CodePageToUtf8("abc", 1252), "abc");
  EXPECT_EQ(CodePageToUtf8("\xE6\x97\xA5", 65001), "日");
  EXPECT_EQ(CodePageToUtf8(std::string("\xE5\x65", 2), 1200), "日");
  EXPECT_EQ(CodePageToUtf8("\xA4\xE9", 950), "日");    // Big5
  EXPECT_EQ(CodePageToUtf8("\xC8\xD5", 936), "日");    // GBK
  EXPECT_EQ(CodePageToUtf8("\xC6\xFC", 51932), "日");  // EUC-JP
  EXPECT_EQ(CodePageToUtf8("\xC1\xE2", 1251), "Бв");   // Cyrillic
  EXPECT_EQ(CodePageToUtf8("A\xA5", 10000), "A•");     // Mac Roman bullet
}

TEST(CodePages, KeepsEveryCharacterAndMarksWhatCannotBeDecoded) {
  // Hebrew: every letter, the last one included (the decoder holds it back
  // until the conversion is flushed).
  EXPECT_EQ(CodePageToUtf8("\xF9\xEC\xE5\xED", 1255), "שלום");
  // Vietnamese: a base letter is held back until a combining mark may follow.
  EXPECT_EQ(CodePageToUtf8("a\xEC", 1258), "á");
  // Invalid UTF-8 and a truncated UTF-16 unit.
  EXPECT_EQ(CodePageToUtf8("a\xFF"
                           "b",
                           65001),
            "a?b");
  EXPECT_EQ(CodePageToUtf8(std::string("A\0B", 3), 1200), "A?");
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

// A text made mostly of what cannot be converted costs no more than any
// other: every replacement appends to room the output already has. (Before,
// each one re-sized the output by the whole rest of the input, and each
// character code page 932 lacks cost a conversion step's whole buffer: these
// took minutes.)
TEST(CodePages, TextsOfNothingButReplacementsConvertInOnePass) {
  constexpr std::size_t kMany = 200000;
  std::string bad(kMany, '\xFF');
  EXPECT_EQ(CodePageToUtf8(bad, 65001), std::string(kMany, '?'));
  std::string utf8;
  for (std::size_t i = 0; i < kMany; ++i) {
    utf8 += "\xF0\x9F\x98\x80";  // an emoji, which code page 932 lacks
  }
  EXPECT_EQ(Utf8ToCp932(utf8 + "日"), std::string(kMany, '?') + "\x93\xFA");
  // Mixed: each bad byte between good ones is one mark, in its place.
  std::string mixed;
  for (int i = 0; i < 100000; ++i) {
    mixed += "a\xFF";
  }
  std::string expected;
  for (int i = 0; i < 100000; ++i) {
    expected += "a?";
  }
  EXPECT_EQ(CodePageToUtf8(mixed, 65001), expected);
  EXPECT_EQ(CodePageToUtf8(std::string(kMany, '\xFF'), 932), std::string(kMany, '?'));
}

TEST(CodePages, UnknownCodePagesAreRefused) {
  EXPECT_EQ(CodePageToUtf8("x", 12345), std::nullopt);
  EXPECT_EQ(CodePageToUtf8("x", 1), std::nullopt);
  EXPECT_EQ(IconvNameOfCodePage(28591), "ISO-8859-1");
  EXPECT_EQ(IconvNameOfCodePage(65001), "UTF-8");
}

// The texts kept from fuzzing the conversions: each converts to code page
// 932 that a grid cell can cut cleanly.
TEST(CodePages, EveryKeptFuzzTextConvertsAndCutsOnACharacterBoundary) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "text";
  int replayed = 0;
  for (const std::filesystem::path& file : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(file.filename().string());
    std::string bytes = testsupport::ReadAll(file.string());
    fuzzinput::TextInput input = fuzzinput::ReadTextInput(bytes);
    std::optional<std::string> stored = CodePageToUtf8(input.text, input.codePage);
    if (stored) {
      stored = Utf8ToCp932(*stored);
    }
    ASSERT_TRUE(stored.has_value());
    EXPECT_FALSE(stored->empty());
    // Cut on a character boundary, a prefix of whole characters stays whole.
    std::size_t half = Cp932PrefixLength(*stored, stored->size() / 2);
    EXPECT_LE(half, stored->size() / 2);
    const std::string kUndecodable = "\xEF\xBF\xBD";
    if (Cp932ToUtf8(*stored).find(kUndecodable) == std::string::npos) {
      EXPECT_EQ(Cp932ToUtf8(stored->substr(0, half)).find(kUndecodable), std::string::npos);
    }
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace platform
