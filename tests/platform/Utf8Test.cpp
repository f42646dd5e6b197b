// Text as the program holds it (UTF-8) and its way to and from code page
// 932 and the code pages documents are written in.

#include "platform/text/Utf8.h"

#include <gtest/gtest.h>

#include "platform/text/CodePages.h"
#include "platform/text/Cp932.h"

namespace platform {
namespace {

TEST(Utf8, IllFormedBytesBecomeOneMarkEachAndTheRestIsKept) {
  EXPECT_EQ(ValidUtf8("caf\xC3\xA9 \xF0\xA0\xAE\xB7"), "caf\xC3\xA9 \xF0\xA0\xAE\xB7");
  EXPECT_EQ(ValidUtf8("a\xFF"
                      "b"),
            "a?b");
  EXPECT_EQ(ValidUtf8("\xC0\x80"), "??");            // an overlong NUL
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "???");       // a surrogate
  EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), "????");  // past U+10FFFF
  EXPECT_EQ(ValidUtf8("x\xE3\x81"), "x??");          // cut short
  EXPECT_EQ(ValidUtf8(""), "");
}

TEST(Utf8, CharactersAreAppendedInOneToFourBytesEachWellFormed) {
  std::string out;
  for (char32_t c : {U'\x7F', U'\x80', U'\x7FF', U'\x800', U'\xFFFF', U'\x10000', U'\x10FFFF'}) {
    std::size_t at = out.size();
    AppendUtf8(out, c);
    EXPECT_EQ(Utf8CharacterAt(out, at), out.size() - at) << static_cast<unsigned>(c);
  }
  EXPECT_EQ(out.size(), 1u + 2 + 2 + 3 + 3 + 4 + 4);
  EXPECT_EQ(ValidUtf8(out), out);
  std::string kanji;
  AppendUtf8(kanji, U'\x20BB7');  // 𠮷
  EXPECT_EQ(kanji, "\xF0\xA0\xAE\xB7");
}

TEST(Utf8, PrefixesEndOnCharacterBoundaries) {
  std::string text = "a\xE3\x81\x82\xF0\x9F\x98\x80";  // a, あ, an emoji
  EXPECT_EQ(Utf8PrefixLength(text, 0), 0u);
  EXPECT_EQ(Utf8PrefixLength(text, 3), 1u);
  EXPECT_EQ(Utf8PrefixLength(text, 4), 4u);
  EXPECT_EQ(Utf8PrefixLength(text, 7), 4u);
  EXPECT_EQ(Utf8PrefixLength(text, 100), text.size());
  EXPECT_EQ(Utf8CharacterCount(text), 3u);
  // Counted as CP932 would store them: a 1, あ 2, half-width ｱ 1, the emoji 2.
  std::string kana = "a\xE3\x81\x82\xEF\xBD\xB1\xF0\x9F\x98\x80";
  EXPECT_EQ(Utf8PrefixWithinCp932Bytes(kana, 2), 1u);
  EXPECT_EQ(Utf8PrefixWithinCp932Bytes(kana, 3), 4u);
  EXPECT_EQ(Utf8PrefixWithinCp932Bytes(kana, 4), 7u);
  EXPECT_EQ(Utf8PrefixWithinCp932Bytes(kana, 5), 7u);
  EXPECT_EQ(Utf8PrefixWithinCp932Bytes(kana, 6), kana.size());
}

TEST(Utf8, Cp932TextDecodesWithAMarkForWhatIsNotCp932) {
  EXPECT_EQ(DecodeCp932("\x93\xFA\x96\x7B abc"), "\xE6\x97\xA5\xE6\x9C\xAC abc");  // 日本
  EXPECT_EQ(DecodeCp932("a\xFF"
                        "b\x81"),
            "a?b?");
  EXPECT_EQ(DecodeCp932("plain"), "plain");
}

// Only text that comes back the same is stored as CP932: ¥ and the JIS wave
// dash have CP932 forms that read back as other characters.
TEST(Utf8, TextIsStoredAsCp932OnlyWhenEveryCharacterComesBack) {
  EXPECT_EQ(EncodeCp932Exactly("\xE6\x97\xA5\xE6\x9C\xAC ABC \xEF\xBD\x9E"),
            "\x93\xFA\x96\x7B ABC \x81\x60");                 // 日本 ABC ～
  EXPECT_EQ(EncodeCp932Exactly("\xE2\x91\xA0"), "\x87\x40");  // ①
  EXPECT_EQ(EncodeCp932Exactly("?"), "?");
  EXPECT_FALSE(EncodeCp932Exactly("Jos\xC3\xA9"));       // é
  EXPECT_FALSE(EncodeCp932Exactly("\xEA\xB9\x80"));      // 김
  EXPECT_FALSE(EncodeCp932Exactly("\xF0\xA0\xAE\xB7"));  // 𠮷
  EXPECT_FALSE(EncodeCp932Exactly("\xC2\xA5"));          // ¥
  EXPECT_FALSE(EncodeCp932Exactly("\xE3\x80\x9C"));      // 〜
  EXPECT_FALSE(EncodeCp932Exactly("\xF0\x9F\x98\x80"));  // an emoji
  EXPECT_FALSE(EncodeCp932Exactly("a\xFF"));             // not UTF-8
}

TEST(Utf8, DocumentCodePagesDecodeToUtf8) {
  EXPECT_EQ(CodePageToUtf8("Caf\xE9", 1252), "Caf\xC3\xA9");
  EXPECT_EQ(CodePageToUtf8("\x93\xFA", 932), "\xE6\x97\xA5");
  EXPECT_EQ(CodePageToUtf8("\x93\xFA", 0), "\xE6\x97\xA5");
  EXPECT_EQ(CodePageToUtf8(std::string("\xE5\x65\x00\xD8", 4), 1200), "\xE6\x97\xA5?");
  EXPECT_EQ(CodePageToUtf8("\xFF", 65001), "?");
  EXPECT_EQ(CodePageToUtf8("\xB1\xE8", 949), "\xEA\xB9\x80");          // 김 in Korean
  EXPECT_EQ(CodePageToUtf8("@", 500), " ");                            // EBCDIC: 0x40 is a space
  EXPECT_EQ(CodePageToUtf8("\x1B$BF|\x1B(B", 50220), "\xE6\x97\xA5");  // ISO-2022-JP
  EXPECT_FALSE(CodePageToUtf8("abc", 99999));
}

}  // namespace
}  // namespace platform
