#include "platform/text/Cp932.h"

#include "platform/text/Iconv.h"
#include "platform/text/Utf8.h"

namespace platform {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string out;
  if (const Iconv* cd = Iconv::Cached("UTF-8", "CP932")) {
    cd->Convert(cp932, out, 1, kReplacementUtf8);
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  // Decode first, so an invalid UTF-8 byte and an unmappable character are
  // told apart and each is replaced by exactly one "?".
  std::string wide;
  std::string out;
  const Iconv* decode = Iconv::Cached(Iconv::kWide, "UTF-8");
  const Iconv* encode = Iconv::Cached("CP932", Iconv::kWide);
  if (decode == nullptr || encode == nullptr) {
    return out;
  }
  decode->Convert(utf8, wide, 1, Iconv::WideQuestionMark());
  encode->Convert(wide, out, Iconv::kWideUnit, "?");
  return out;
}

std::size_t Cp932PrefixLength(std::string_view text, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t width =
        (IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    if (i + width > maxBytes) {
      break;
    }
    i += width;
  }
  return i;
}

std::string DecodeCp932(std::string_view cp932) {
  if (IsAscii(cp932)) {
    return std::string(cp932);
  }
  std::string out;
  if (const Iconv* cd = Iconv::Cached("UTF-8", "CP932")) {
    cd->Convert(cp932, out, 1, "?");
  }
  return out;
}

std::optional<std::string> EncodeCp932Exactly(std::string_view utf8) {
  if (IsAscii(utf8)) {
    return std::string(utf8);
  }
  const Iconv* decode = Iconv::Cached(Iconv::kWide, "UTF-8");
  const Iconv* encode = Iconv::Cached("CP932", Iconv::kWide);
  const Iconv* back = Iconv::Cached(Iconv::kWide, "CP932");
  if (decode == nullptr || encode == nullptr || back == nullptr) {
    return std::nullopt;
  }
  std::string wide;
  std::string out;
  std::string again;
  if (decode->Convert(utf8, wide, 1, Iconv::WideQuestionMark()) != 0 ||
      encode->Convert(wide, out, Iconv::kWideUnit, "?") != 0 ||
      back->Convert(out, again, 1, Iconv::WideQuestionMark()) != 0 || again != wide) {
    return std::nullopt;
  }
  return out;
}

std::size_t Cp932Width(std::string_view utf8Character) {
  if (utf8Character.empty() || static_cast<unsigned char>(utf8Character[0]) < 0x80) {
    return 1;
  }
  // U+FF61 to U+FF9F: EF BD A1 to EF BD BF and EF BE 80 to EF BE 9F.
  if (utf8Character.size() == 3 && utf8Character[0] == '\xEF') {
    unsigned char second = static_cast<unsigned char>(utf8Character[1]);
    unsigned char third = static_cast<unsigned char>(utf8Character[2]);
    if ((second == 0xBD && third >= 0xA1) || (second == 0xBE && third <= 0x9F)) {
      return 1;
    }
  }
  return 2;
}

std::size_t Cp932Length(std::string_view utf8) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    length = length == 0 || i + length > utf8.size() ? 1 : length;
    width += Cp932Width(utf8.substr(i, length));
    i += length;
  }
  return width;
}

std::size_t Utf8PrefixWithinCp932Bytes(std::string_view text, std::size_t maxBytes) {
  std::size_t i = 0;
  std::size_t width = 0;
  while (i < text.size()) {
    std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[i]));
    length = length == 0 || i + length > text.size() ? 1 : length;
    width += Cp932Width(text.substr(i, length));
    if (width > maxBytes) {
      break;
    }
    i += length;
  }
  return i;
}

}  // namespace platform
