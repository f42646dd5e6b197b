#include "catalogue/core/DocumentRecord.h"

#include "platform/text/Cp932.h"

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
  for (char c : value) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      text += ' ';
    } else if (c == ';') {
      text += "\x81\x47";  // ；
    } else {
      text += c;
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
  for (std::size_t i = 0; i < line.size();) {
    if (line[i] == ';') {  // never a trail byte: those start at 0x40
      if (characters > kRecordFieldLimit) {
        capped.append(line, fieldStart, keptEnd - fieldStart);
        cut = true;
      } else {
        capped.append(line, fieldStart, i - fieldStart);
      }
      capped += ';';
      ++i;
      fieldStart = i;
      characters = 0;
      continue;
    }
    std::size_t width = platform::IsCp932LeadByte(static_cast<unsigned char>(line[i])) &&
                                i + 1 < line.size() && line[i + 1] != ';'
                            ? 2
                            : 1;
    i += width;
    if (++characters == kRecordFieldLimit) {
      keptEnd = i;
    }
  }
  if (!cut && characters <= kRecordFieldLimit) {
    return false;
  }
  if (characters > kRecordFieldLimit) {
    capped.append(line, fieldStart, keptEnd - fieldStart);
  } else {
    capped.append(line, fieldStart, line.size() - fieldStart);
  }
  line = std::move(capped);
  return true;
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

std::string BuildDocumentRecord(const RequestedValues& values, std::string_view fileNameCp932,
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
      fields[0] = std::string(fileNameCp932);
    }
  }
  return JoinRecordLine(fields);
}

}  // namespace catalogue
