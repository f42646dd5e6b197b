#include "platform/text/CodePages.h"

#include "platform/text/Cp932.h"
#include "platform/text/Iconv.h"
#include "platform/text/Utf8.h"

namespace platform {

namespace {

// Code pages in which ASCII bytes are the ASCII characters (not EBCDIC, not
// the escape sequences of ISO-2022-JP or UTF-7), so ASCII text needs no
// conversion.
bool KeepsAscii(unsigned codePage) {
  return codePage == 65001 || (codePage >= 1250 && codePage <= 1258) || codePage == 874 ||
         codePage == 936 || codePage == 949 || codePage == 950 || codePage == 20127 ||
         codePage == 20932 || codePage == 51932 || codePage == 51949 || codePage == 54936 ||
         (codePage >= 28591 && codePage <= 28606) || codePage == 10000 || codePage == 437 ||
         codePage == 850;
}

}  // namespace

std::string IconvNameOfCodePage(unsigned codePage) {
  switch (codePage) {
    case 1200: return "UTF-16LE";
    case 1201: return "UTF-16BE";
    case 12000: return "UTF-32LE";
    case 12001: return "UTF-32BE";
    case 65000: return "UTF-7";
    case 65001: return "UTF-8";
    case 10000: return "MACINTOSH";
    case 10007: return "MAC-CYRILLIC";
    case 20127: return "ASCII";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 20932:
    case 51932: return "EUC-JP";
    case 50220:
    case 50221:
    case 50222: return "ISO-2022-JP";
    case 51949: return "EUC-KR";
    case 54936: return "GB18030";
    default: break;
  }
  if (codePage >= 28591 && codePage <= 28606) {
    return "ISO-8859-" + std::to_string(codePage - 28590);
  }
  if (codePage >= 37 && codePage <= 1361) {
    return "CP" + std::to_string(codePage);
  }
  return {};
}

std::size_t CodeUnitSize(unsigned codePage) {
  switch (codePage) {
    case 1200:
    case 1201: return 2;
    case 12000:
    case 12001: return 4;
    default: return 1;
  }
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  if (codePage == 0 || codePage == 932) {
    return DecodeCp932(bytes);
  }
  std::string name = IconvNameOfCodePage(codePage);
  if (name.empty()) {
    return std::nullopt;
  }
  const Iconv* decode = Iconv::Cached(Iconv::kWide, name);
  const Iconv* encode = Iconv::Cached("UTF-8", Iconv::kWide);
  if (decode == nullptr || encode == nullptr) {
    return std::nullopt;
  }
  if (KeepsAscii(codePage) && IsAscii(bytes)) {
    return std::string(bytes);
  }
  std::string wide;
  std::string out;
  decode->Convert(bytes, wide, CodeUnitSize(codePage), Iconv::WideQuestionMark());
  encode->Convert(wide, out, Iconv::kWideUnit, "?");
  // glibc decodes some sequences to code points past U+10FFFF, which are no
  // characters: they become "?" too.
  return ValidUtf8(out);
}

}  // namespace platform
