#include "catalogue/core/DocumentRecord.h"

namespace catalogue {

namespace {

// Field index of each id's string; -1 for ids that fill no text field.
constexpr int TextFieldOf(std::uint32_t id) {
  switch (id) {
    case kPidTitle: return 1;
    case kPidSubject: return 3;
    case kPidAuthor: return 4;
    case kPidKeywords: return 5;
    case kPidComments: return 6;
    case kPidLastAuthor: return 7;
    case kPidRevNumber: return 8;
    default: return -1;
  }
}

constexpr int DateFieldOf(std::uint32_t id) {
  switch (id) {
    case kPidLastSaved: return 2;
    case kPidLastPrinted: return 9;
    case kPidCreated: return 10;
    default: return -1;
  }
}

// Types whose variant holds a pointer rather than the value itself.
constexpr bool IsPointerType(std::uint16_t type) {
  return type == kVT_LPSTR || type == kVT_LPWSTR || type == 8 /* VT_BSTR */ || type == kVT_CF ||
         type == 65 /* VT_BLOB */ || type == 72 /* VT_CLSID */ ||
         (type & 0x1000) != 0 /* vectors */;
}

}  // namespace

std::string RecordFieldText(std::string_view value) {
  std::string text;
  text.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    auto byte = static_cast<unsigned char>(value[i]);
    bool c1 = byte == 0xC2 && i + 1 < value.size() &&
              static_cast<unsigned char>(value[i + 1]) >= 0x80 &&
              static_cast<unsigned char>(value[i + 1]) <= 0x9F;
    if (byte < 0x20 || byte == 0x7F || c1) {
      text += ' ';
      i += c1 ? 1 : 0;
    } else if (byte == ';') {
      text += "\xEF\xBC\x9B";  // ；
    } else {
      text += value[i];
    }
  }
  return text;
}

std::string JoinRecordLine(const DocumentFields& fields) {
  std::string line;
  for (const std::string& field : fields) {
    line += RecordFieldText(field);
    line += ';';
  }
  return line;
}

bool CapRecordFields(std::string& line) {
  bool cut = false;
  std::string capped;
  std::size_t fieldStart = 0;
  std::size_t characters = 0;
  std::size_t keptEnd = 0;  // where the kept part of a field being cut ends
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i == line.size() || line[i] == ';') {  // ";" is never inside a UTF-8 character
      bool over = characters > kRecordFieldLimit;
      capped.append(line, fieldStart, (over ? keptEnd : i) - fieldStart);
      cut = cut || over;
      if (i < line.size()) {
        capped += ';';
      }
      fieldStart = i + 1;
      characters = 0;
      continue;
    }
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80 &&
        ++characters == kRecordFieldLimit + 1) {
      keptEnd = i;  // the first character beyond the limit starts here
    }
  }
  if (cut) {
    line = std::move(capped);
  }
  return cut;
}

std::string_view StringValueOf(const PropertyValue& value) {
  return value.type == kVT_LPSTR ? std::string_view(value.data) : std::string_view();
}

std::uint64_t FileTimeOf(const PropertyValue& value) {
  if (IsPointerType(value.type)) {
    return 0;
  }
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < value.data.size() && i < 8; ++i) {
    v |= static_cast<std::uint64_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
  }
  return v;
}

std::string BuildDocumentRecord(const RequestedValues& values, std::string_view fileName,
                                const RegionalFormats& formats, std::int64_t utcOffsetSeconds) {
  DocumentFields fields;
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::uint32_t id = kFirstRequestedId + static_cast<std::uint32_t>(i);
    std::string_view text = StringValueOf(values[i]);
    if (int dateField = DateFieldOf(id); dateField >= 0) {
      fields[dateField] = FileTimeToText(FileTimeOf(values[i]), formats, utcOffsetSeconds);
    } else if (int textField = TextFieldOf(id); textField >= 0) {
      fields[textField] = std::string(text);
    }
    // Only a string value names the file; a date alone does not.
    if (!text.empty()) {
      fields[0] = std::string(fileName);
    }
  }
  return JoinRecordLine(fields);
}

}  // namespace catalogue
