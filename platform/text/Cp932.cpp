#include "platform/text/Cp932.h"

#include "platform/text/Iconv.h"

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

}  // namespace platform
