#pragma once

#include <optional>
#include <string>
#include <string_view>

// Code page 932 (the Windows form of Shift-JIS), the code page of every text
// the program stores. Conversion goes through glibc iconv's "CP932" in both
// directions.
namespace platform {

// True for the first byte of a two-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// CP932 bytes to UTF-8 for showing. Bytes that are not valid CP932 become
// U+FFFD; the caller keeps the original bytes.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932. A character CP932 cannot hold, and any byte that is not
// valid UTF-8, becomes "?".
std::string Utf8ToCp932(std::string_view utf8);

// The longest prefix of `text` of at most `maxBytes` bytes that does not end
// in the middle of a two-byte character (walking from the start).
std::size_t Cp932PrefixLength(std::string_view text, std::size_t maxBytes);

// CP932 text as the program holds it, in UTF-8; a byte that is not CP932
// becomes "?", as in every text the program reads.
std::string DecodeCp932(std::string_view cp932);

// UTF-8 text as CP932 when every character survives the way there and back
// (U+00A5 and U+301C, which CP932 stores as other characters, do not);
// nothing otherwise.
std::optional<std::string> EncodeCp932Exactly(std::string_view utf8);

// The bytes a character takes in CP932: 1 for ASCII and the half-width
// katakana, 2 for everything else (a character CP932 lacks included).
std::size_t Cp932Width(std::string_view utf8Character);

// The bytes well-formed UTF-8 `text` would take in CP932, counted as
// Cp932Width counts them.
std::size_t Cp932Length(std::string_view utf8);

// The longest prefix of well-formed UTF-8 `text`, in whole characters, that
// would take at most `maxBytes` bytes in CP932: the limits of the program's
// stored texts, counted as they always were.
std::size_t Utf8PrefixWithinCp932Bytes(std::string_view text, std::size_t maxBytes);

}  // namespace platform
