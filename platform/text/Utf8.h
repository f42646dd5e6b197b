#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8, the form the program holds text in between reading and writing.
namespace platform {

// The byte-order mark that starts a UTF-8 file the program writes where
// code page 932 would not do.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes of the UTF-8 sequence that `lead` starts: 1 to 4, or 0 for a
// byte that cannot start one (a continuation byte, 0xC0, 0xC1, 0xF5-0xFF).
constexpr std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) {
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF) {
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    return 4;
  }
  return 0;
}

// The length of the well-formed character at `text[i]` (overlong forms,
// surrogates and code points above U+10FFFF are not), or 0.
std::size_t Utf8CharacterAt(std::string_view text, std::size_t i);

// `text` with every byte that is not part of a well-formed character
// replaced by "?"; the text itself when it is all well formed.
std::string ValidUtf8(std::string_view text);

// Whether every byte of `text` is ASCII.
bool IsAscii(std::string_view text);

// The longest prefix of `text` of at most `maxBytes` bytes that does not end
// inside a character (text assumed well formed).
std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes);

// The characters (code points) of well-formed `text`.
std::size_t Utf8CharacterCount(std::string_view text);

// Appends the UTF-8 form of the character `c` (a scalar value, at most
// U+10FFFF; surrogates are the caller's to keep out).
void AppendUtf8(std::string& out, char32_t c);

}  // namespace platform
