#include "catalogue/core/PropertySetParser.h"

#include "catalogue/core/DocumentRecord.h"

#include <cstdint>
#include <optional>

#include "platform/text/CodePages.h"
#include "platform/text/Cp932.h"

namespace catalogue {

namespace {

// {F29F85E0-4FF9-1068-AB91-08002B27B3D9} as stored.
constexpr std::string_view kSummaryFmtid(
    "\xE0\x85\x9F\xF2\xF9\x4F\x68\x10\xAB\x91\x08\x00\x2B\x27\xB3\xD9", 16);
// The same with its first three fields big-endian, as old Mac Word stores it.
constexpr std::string_view kSwappedSummaryFmtid(
    "\xF2\x9F\x85\xE0\x4F\xF9\x10\x68\xAB\x91\x08\x00\x2B\x27\xB3\xD9", 16);

constexpr std::size_t kHeaderSize = 28;
constexpr std::size_t kSectionEntrySize = 20;
constexpr std::uint16_t kVT_UI2 = 18;
constexpr unsigned kUtf16CodePage = 1200;  // UTF-16LE, the units of VT_LPWSTR

// Little-endian reads; the caller has checked the bounds.
std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    (static_cast<unsigned char>(b[at + 1]) << 8));
}

std::uint32_t U32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(U16(b, at)) |
         (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}

// Byte size of the data of fixed-size types (after the 4-byte type field),
// as the variant stores them; 0 for types whose size is not fixed.
std::size_t FixedSize(std::uint16_t type) {
  switch (type) {
    case 16:  // VT_I1
    case 17:  // VT_UI1
      return 1;
    case 2:   // VT_I2
    case 11:  // VT_BOOL
    case 18:  // VT_UI2
      return 2;
    case 3:   // VT_I4
    case 4:   // VT_R4
    case 10:  // VT_ERROR
    case 19:  // VT_UI4
    case 22:  // VT_INT
    case 23:  // VT_UINT
      return 4;
    case 5:   // VT_R8
    case 6:   // VT_CY
    case 7:   // VT_DATE
    case 20:  // VT_I8
    case 21:  // VT_UI8
    case 64:  // VT_FILETIME
      return 8;
    default: return 0;
  }
}

// The section that the set's FMTID names, as a view of its Size bytes.
struct Section {
  HResult code = kS_OK;
  std::string_view bytes;
};

Section FindSummarySection(std::string_view stream, SummaryReading reading) {
  if (stream.size() < kHeaderSize + kSectionEntrySize || U16(stream, 0) != 0xFFFE) {
    return {kSTG_E_INVALIDHEADER, {}};
  }
  std::uint16_t version = U16(stream, 2);
  std::uint32_t sectionCount = U32(stream, 24);
  if (version > 1 || sectionCount == 0) {
    return {kSTG_E_INVALIDHEADER, {}};
  }
  for (std::uint64_t i = 0; i < sectionCount; ++i) {
    std::uint64_t entry = kHeaderSize + i * kSectionEntrySize;
    if (entry + kSectionEntrySize > stream.size()) {
      return {kSTG_E_INVALIDHEADER, {}};
    }
    std::string_view fmtid = stream.substr(entry, 16);
    if (fmtid != kSummaryFmtid &&
        (reading == SummaryReading::Classic || fmtid != kSwappedSummaryFmtid)) {
      continue;
    }
    std::uint64_t offset = U32(stream, entry + 16);
    if (offset + 8 > stream.size()) {
      return {kSTG_E_INVALIDHEADER, {}};
    }
    std::uint64_t size = U32(stream, offset);
    if (size < 8 || offset + size > stream.size()) {
      return {kSTG_E_INVALIDHEADER, {}};
    }
    return {kS_OK, stream.substr(offset, size)};
  }
  // A valid set that has no summary section cannot be opened as one.
  return {kSTG_E_FILENOTFOUND, {}};
}

// One value at `offset` in the section: its type and the bytes the reader
// keeps (see PropertyValue). nullopt when the value runs outside the section.
struct RawValue {
  std::uint16_t type;
  std::string_view data;
};

std::optional<RawValue> ReadRawValue(std::string_view section, std::uint64_t offset) {
  if (offset < 8 || offset + 4 > section.size()) {
    return std::nullopt;
  }
  RawValue value{U16(section, offset), {}};
  std::uint64_t start = offset + 4;
  std::uint64_t left = section.size() - start;
  std::uint64_t length = 0;
  if (value.type == kVT_LPSTR || value.type == kVT_LPWSTR || value.type == kVT_CF) {
    if (left < 4) {
      return std::nullopt;
    }
    std::uint64_t count = U32(section, start);
    length = value.type == kVT_LPWSTR ? count * 2 : count;
    start += 4;
    left -= 4;
  } else {
    length = FixedSize(value.type);
  }
  if (length > left) {
    return std::nullopt;
  }
  value.data = section.substr(start, length);
  return value;
}

// The text of a VT_LPSTR value up to its first NUL character (a whole code
// unit of zero bytes: two under UTF-16), never beyond its stored count; a
// last partial unit is dropped.
std::string_view UpToNul(std::string_view text, unsigned codePage) {
  std::size_t unit = platform::CodeUnitSize(codePage);
  std::size_t units = text.size() / unit;
  for (std::size_t i = 0; i < units; ++i) {
    if (text.substr(i * unit, unit).find_first_not_of('\0') == std::string_view::npos) {
      return text.substr(0, i * unit);
    }
  }
  return text.substr(0, units * unit);
}

// The text in UTF-8. A code page this machine cannot convert is read as
// the program's own, CP932.
std::string StringInUtf8(std::string_view stored, unsigned codePage) {
  std::string_view text = UpToNul(stored, codePage);
  // A record keeps kRecordFieldLimit characters of a value, and a
  // character takes at most four bytes: of a value of megabytes only what
  // can still be kept is converted (more than the limit, so the cut is
  // still seen and told).
  constexpr std::size_t kConverted = (kRecordFieldLimit + 16) * 4;
  if (text.size() > kConverted) {
    text = text.substr(0, kConverted);
  }
  std::optional<std::string> converted = platform::CodePageToUtf8(text, codePage);
  return converted ? *std::move(converted) : platform::DecodeCp932(text);
}

}  // namespace

PropertySetReadResult ReadSummaryProperties(std::string_view stream, SummaryReading reading) {
  PropertySetReadResult result;
  if (stream.empty()) {
    return result;  // a set without properties
  }
  Section section = FindSummarySection(stream, reading);
  if (section.code != kS_OK) {
    result.code = section.code;
    return result;
  }
  std::string_view s = section.bytes;
  std::uint64_t count = U32(s, 4);
  if (8 + count * 8 > s.size()) {
    result.code = kSTG_E_INVALIDHEADER;
    return result;
  }

  // First pass: check every entry's offset, find the code page and where
  // each requested id is (the first entry of an id wins).
  unsigned codePage = 0;
  bool haveCodePage = false;
  std::array<std::optional<RawValue>, kRequestedCount> raw;
  for (std::uint64_t i = 0; i < count; ++i) {
    std::uint32_t id = U32(s, 8 + i * 8);
    std::uint64_t offset = U32(s, 8 + i * 8 + 4);
    if (offset < 8 || offset + 4 > s.size()) {
      result.code = kSTG_E_INVALIDPOINTER;
      return result;
    }
    bool requested = id >= kFirstRequestedId && id < kFirstRequestedId + kRequestedCount;
    if (id != kPidCodePage && !requested) {
      continue;  // the dictionary (id 0) and ids the record does not use
    }
    std::optional<RawValue> value = ReadRawValue(s, offset);
    if (!value) {
      result.code = kSTG_E_INVALIDPOINTER;
      return result;
    }
    if (id == kPidCodePage) {
      // The first entry wins; one that is not a 16-bit integer means none.
      if (!haveCodePage && (value->type == kVT_I2 || value->type == kVT_UI2)) {
        codePage = U16(value->data, 0);
      }
      haveCodePage = true;
      continue;
    }
    std::optional<RawValue>& slot = raw[id - kFirstRequestedId];
    if (!slot) {
      slot = value;
    }
  }

  bool any = false;
  for (std::size_t i = 0; i < kRequestedCount; ++i) {
    if (!raw[i]) {
      continue;
    }
    any = true;
    PropertyValue& out = result.values[i];
    out.type = raw[i]->type;
    if (out.type == kVT_LPSTR) {
      out.data = StringInUtf8(raw[i]->data, codePage);
    } else if (out.type == kVT_LPWSTR && reading == SummaryReading::Lenient) {
      out.type = kVT_LPSTR;
      out.data = StringInUtf8(raw[i]->data, kUtf16CodePage);
    } else if (out.type == kVT_LPWSTR) {
      out.data = std::string(raw[i]->data);
    } else {
      out.data = std::string(raw[i]->data.substr(0, 8));
    }
  }
  result.code = any ? kS_OK : kS_FALSE;
  return result;
}

}  // namespace catalogue
