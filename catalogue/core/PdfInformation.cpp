#include "catalogue/core/PdfInformation.h"

#include <array>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/W3cDateTime.h"
#include "catalogue/core/XmlTree.h"
#include "platform/text/CodePages.h"
#include "platform/text/Cp932.h"
#include "platform/text/Utf8.h"

namespace catalogue {

namespace {

constexpr std::string_view kPdfSignature = "%PDF-";

constexpr std::string_view kRdfNs = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr std::string_view kDcNs = "http://purl.org/dc/elements/1.1/";
constexpr std::string_view kPdfNs = "http://ns.adobe.com/pdf/1.3/";
constexpr std::string_view kXmpNs = "http://ns.adobe.com/xap/1.0/";
constexpr std::string_view kXmlNs = "http://www.w3.org/XML/1998/namespace";

// PDFDocEncoding where it differs from Latin-1: 0x18-0x1F and 0x80-0xA0
// (0 for the codes it leaves undefined).
char32_t PdfDocCharacter(unsigned char b) {
  static constexpr std::array<char32_t, 8> kLow = {0x02D8, 0x02C7, 0x02C6, 0x02D9,
                                                   0x02DD, 0x02DB, 0x02DA, 0x02DC};
  static constexpr std::array<char32_t, 33> kHigh = {
      0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2044, 0x2039, 0x203A, 0x2212,
      0x2030, 0x201E, 0x201C, 0x201D, 0x2018, 0x2019, 0x201A, 0x2122, 0xFB01, 0xFB02, 0x0141,
      0x0152, 0x0160, 0x0178, 0x017D, 0x0131, 0x0142, 0x0153, 0x0161, 0x017E, 0,      0x20AC};
  if (b >= 0x18 && b <= 0x1F) {
    return kLow[b - 0x18];
  }
  if (b >= 0x80 && b <= 0xA0) {
    return kHigh[b - 0x80];
  }
  if (b == 0x7F || b == 0xAD) {
    return 0;
  }
  return b;
}

std::string PdfDocToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    char32_t u = PdfDocCharacter(static_cast<unsigned char>(c));
    if (u == 0) {
      out += '?';
    } else {
      platform::AppendUtf8(out, u);
    }
  }
  return out;
}

// UTF-16BE without its mark; a language escape (U+001B, a language code,
// U+001B) is left out.
std::string Utf16BeToUtf8(std::string_view bytes) {
  std::string units;
  units.reserve(bytes.size());
  bool inEscape = false;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == '\0' && bytes[i + 1] == '\x1B') {
      inEscape = !inEscape;
      continue;
    }
    if (!inEscape) {
      units.append(bytes.substr(i, 2));
    }
  }
  return platform::CodePageToUtf8(units, 1201).value_or(std::string());
}

// Whether UTF-8 `text` holds a character of the private-use area, where
// code page 932 puts its user-defined rows (lead bytes F0 to F9): U+E000
// to U+F8FF, EE xx xx and EF 80 xx to EF A3 xx.
bool HoldsPrivateUse(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    auto lead = static_cast<unsigned char>(text[i]);
    auto next = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xEE || (lead == 0xEF && next >= 0x80 && next <= 0xA3)) {
      return true;
    }
  }
  return false;
}

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Whether `bytes` read as code page 932 as Japanese text would: without a
// fault, with at least one two-byte character, none of them in the
// user-defined rows, and not all of them the second-level kanji an accented
// Latin letter makes with the letter after it, right after a Latin letter
// (「Renée」: "n", then é and e, E9 65, a valid kanji). Text in
// PDFDocEncoding makes two-byte characters only from its accented
// letters; Japanese text has kana, punctuation or first-level kanji, or
// second-level ones that do not follow a Latin letter.
bool ReadsAsShiftJis(std::string_view bytes) {
  bool twoByte = false;
  bool likeAccentedLatin = true;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto lead = static_cast<unsigned char>(bytes[i]);
    if (platform::IsCp932LeadByte(lead)) {
      twoByte = true;
      bool secondLevel = lead >= 0xE0 && lead <= 0xEF;
      if (!secondLevel || i == 0 || !IsAsciiLetter(bytes[i - 1])) {
        likeAccentedLatin = false;
      }
      ++i;
    }
  }
  if (!twoByte || likeAccentedLatin) {
    return false;
  }
  std::string text = platform::Cp932ToUtf8(bytes);
  std::optional<std::string> back = platform::EncodeCp932Exactly(text);
  return back && *back == bytes && !HoldsPrivateUse(text);
}

bool AllDigits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

}  // namespace

bool LooksLikePdf(std::string_view head) {
  return head.find(kPdfSignature) != std::string_view::npos;
}

std::string PdfTextToUtf8(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
    return Utf16BeToUtf8(bytes.substr(2));
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    return platform::ValidUtf8(bytes.substr(3));
  }
  if (platform::IsAscii(bytes)) {
    return std::string(bytes);
  }
  if (platform::ValidUtf8(bytes) == bytes) {
    return std::string(bytes);
  }
  if (ReadsAsShiftJis(bytes)) {
    return platform::DecodeCp932(bytes);
  }
  return PdfDocToUtf8(bytes);
}

std::optional<std::string> PdfDateToW3c(std::string_view text) {
  // Blanks around the date are common; so is a date without its "D:".
  while (!text.empty() && (text.front() == ' ' || text.front() == '\0')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) {
    text.remove_suffix(1);
  }
  if (text.substr(0, 2) == "D:") {
    text.remove_prefix(2);
  }
  std::size_t digits = 0;
  while (digits < text.size() && digits < 14 && text[digits] >= '0' && text[digits] <= '9') {
    ++digits;
  }
  // The year and then whole two-digit parts.
  if (digits < 4 || digits % 2 != 0) {
    return std::nullopt;
  }
  std::string_view number = text.substr(0, digits);
  std::string_view zone = text.substr(digits);
  std::string w3c(number.substr(0, 4));
  if (digits >= 6) {
    w3c += '-';
    w3c += number.substr(4, 2);
  }
  if (digits >= 8) {
    w3c += '-';
    w3c += number.substr(6, 2);
  }
  if (digits >= 10) {
    w3c += 'T';
    w3c += number.substr(8, 2);
    w3c += ':';
    w3c += digits >= 12 ? number.substr(10, 2) : std::string_view("00");
    if (digits >= 14) {
      w3c += ':';
      w3c += number.substr(12, 2);
    }
  }
  if (zone.empty()) {
    return w3c;
  }
  // Z, or +HH'mm' / -HH'mm' with the minutes and apostrophes optional.
  char sign = zone.front();
  if (sign != 'Z' && sign != '+' && sign != '-') {
    return std::nullopt;
  }
  zone.remove_prefix(1);
  bool zoned = sign == 'Z';  // "+" without its hours says nothing of the zone
  std::string_view hours = "00";
  std::string_view minutes = "00";
  if (zone.size() >= 2 && AllDigits(zone.substr(0, 2))) {
    zoned = true;
    hours = zone.substr(0, 2);
    zone.remove_prefix(2);
    if (!zone.empty() && zone.front() == '\'') {
      zone.remove_prefix(1);
    }
    if (zone.size() >= 2 && AllDigits(zone.substr(0, 2))) {
      minutes = zone.substr(0, 2);
      zone.remove_prefix(2);
    }
    if (!zone.empty() && zone.front() == '\'') {
      zone.remove_prefix(1);
    }
  }
  if (!zone.empty()) {
    return std::nullopt;
  }
  // The W3C form gives a zone only after a time.
  if (!zoned || digits < 10) {
    return w3c;
  }
  if (sign == 'Z') {
    return w3c + 'Z';
  }
  return w3c + sign + std::string(hours) + ':' + std::string(minutes);
}

namespace {

// The text of a property of an rdf:Description: its attribute, or the
// text of its element; of an rdf:Alt the x-default (or first) item, of an
// rdf:Seq or rdf:Bag every item joined by `separator`.
std::string PropertyText(const XmlElement& description, std::string_view ns, std::string_view name,
                         std::string_view separator) {
  if (const std::string* value = description.AttributeValue(ns, name)) {
    return *value;
  }
  const XmlElement* element = description.Child(ns, name);
  if (element == nullptr) {
    return {};
  }
  if (const XmlElement* alt = element->Child(kRdfNs, "Alt")) {
    std::vector<const XmlElement*> items = alt->Children(kRdfNs, "li");
    for (const XmlElement* item : items) {
      const std::string* lang = item->AttributeValue(kXmlNs, "lang");
      if (lang != nullptr && *lang == "x-default") {
        return item->WholeText();
      }
    }
    return items.empty() ? std::string() : items.front()->WholeText();
  }
  const XmlElement* list = element->Child(kRdfNs, "Seq");
  if (list == nullptr) {
    list = element->Child(kRdfNs, "Bag");
  }
  if (list != nullptr) {
    std::string joined;
    for (const XmlElement* item : list->Children(kRdfNs, "li")) {
      std::string text = item->WholeText();
      if (text.empty()) {
        continue;
      }
      if (!joined.empty()) {
        joined += separator;
      }
      joined += text;
    }
    return joined;
  }
  return element->WholeText();
}

void CollectDescriptions(const XmlElement& element, std::vector<const XmlElement*>& out) {
  if (element.namespaceUri == kRdfNs && element.localName == "Description") {
    out.push_back(&element);
    return;
  }
  for (const auto& child : element.children) {
    if (const auto* e = std::get_if<std::unique_ptr<XmlElement>>(&child)) {
      CollectDescriptions(**e, out);
    }
  }
}

// The first non-empty value among the descriptions (a packet may split its
// properties over several).
void Take(const std::vector<const XmlElement*>& descriptions, std::string_view ns,
          std::string_view name, std::string& into, std::string_view separator = ", ") {
  for (const XmlElement* d : descriptions) {
    if (into.empty()) {
      into = platform::ValidUtf8(PropertyText(*d, ns, name, separator));
    }
  }
}

}  // namespace

XmpProperties ReadXmpProperties(std::string_view packet) {
  XmpProperties p;
  XmlParseResult parsed = ParseXml(packet);
  if (!parsed.root) {
    return p;
  }
  std::vector<const XmlElement*> descriptions;
  CollectDescriptions(*parsed.root, descriptions);
  Take(descriptions, kDcNs, "title", p.title);
  Take(descriptions, kDcNs, "description", p.description);
  Take(descriptions, kDcNs, "creator", p.creators);
  Take(descriptions, kPdfNs, "Keywords", p.keywords);
  Take(descriptions, kDcNs, "subject", p.keywords);
  Take(descriptions, kXmpNs, "CreateDate", p.createDate);
  Take(descriptions, kXmpNs, "ModifyDate", p.modifyDate);
  return p;
}

namespace {

std::string InformationText(const std::optional<std::string>& value) {
  return value ? PdfTextToUtf8(*value) : std::string();
}

std::string DateText(const std::optional<std::string>& pdfDate, const std::string& xmpDate,
                     const RegionalFormats& formats, std::int64_t utcOffsetSeconds) {
  std::string text;
  if (pdfDate) {
    if (std::optional<std::string> w3c = PdfDateToW3c(PdfTextToUtf8(*pdfDate))) {
      text = W3cDateTimeText(*w3c, UnzonedTime::Local, formats, utcOffsetSeconds);
    }
  }
  if (text.empty() && !xmpDate.empty()) {
    text = W3cDateTimeText(xmpDate, UnzonedTime::Local, formats, utcOffsetSeconds);
  }
  return text;
}

}  // namespace

PackageRecord PdfRecord(const PdfDocumentInformation& information, std::string_view fileName,
                        const RegionalFormats& formats, std::int64_t utcOffsetSeconds) {
  PackageRecord record;
  record.recognised = true;
  using Status = PdfDocumentInformation::Status;
  if (information.status == Status::PasswordProtected) {
    record.passwordProtected = true;
    return record;
  }
  if (information.status == Status::Damaged) {
    record.damage = information.damage;
    return record;
  }
  record.leftOut = information.leftOut;
  XmpProperties xmp;
  if (!information.xmp.empty()) {
    xmp = ReadXmpProperties(information.xmp);
  }
  auto orXmp = [](std::string text, const std::string& fromXmp) {
    return text.empty() ? fromXmp : text;
  };
  DocumentFields f;
  f[0] = std::string(fileName);
  f[kTitleField] = orXmp(InformationText(information.title), xmp.title);
  f[kSubjectField] = orXmp(InformationText(information.subject), xmp.description);
  f[kAuthorField] = orXmp(InformationText(information.author), xmp.creators);
  f[kKeywordsField] = orXmp(InformationText(information.keywords), xmp.keywords);
  f[kLastSavedField] = DateText(information.modDate, xmp.modifyDate, formats, utcOffsetSeconds);
  f[kCreatedField] = DateText(information.creationDate, xmp.createDate, formats, utcOffsetSeconds);
  record.line = JoinRecordLine(f);
  return record;
}

}  // namespace catalogue
