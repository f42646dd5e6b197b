#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Builds the bytes of a "\005SummaryInformation" stream, one property at a
// time, for tests and sample documents. Values are written as the format
// lays them out: type, padding, data padded to four bytes.
class PropertySetBuilder {
 public:
  // The summary set's format id as stored.
  static std::string SummaryFmtid();

  PropertySetBuilder& CodePage(std::int16_t codePage);
  // A VT_LPSTR value: `bytes` then a NUL, the count including the NUL.
  PropertySetBuilder& Lpstr(std::uint32_t id, const std::string& bytes);
  // A VT_LPSTR value whose count is exactly `bytes.size()` (no NUL added).
  PropertySetBuilder& LpstrNoNul(std::uint32_t id, const std::string& bytes);
  // A VT_LPWSTR value from UTF-16 units, a NUL unit added.
  PropertySetBuilder& Lpwstr(std::uint32_t id, const std::u16string& units);
  PropertySetBuilder& FileTime(std::uint32_t id, std::uint64_t value);
  PropertySetBuilder& I4(std::uint32_t id, std::int32_t value);
  // Any value: its type and the bytes after the type field.
  PropertySetBuilder& Raw(std::uint32_t id, std::uint16_t type, const std::string& data);
  // The format id of the section (16 bytes); the summary set's by default.
  PropertySetBuilder& Fmtid(const std::string& fmtid);

  std::string Build() const;

 private:
  struct Entry {
    std::uint32_t id;
    std::string value;  // type, padding and data
  };
  std::vector<Entry> entries_;
  std::string fmtid_ = SummaryFmtid();
};

// Little-endian bytes of an integer.
std::string Le16(std::uint16_t v);
std::string Le32(std::uint32_t v);
std::string Le64(std::uint64_t v);

// FILETIME of a UTC calendar time.
std::uint64_t FileTimeOfUtc(int year, int month, int day, int hour, int minute, int second);

}  // namespace testsupport
