#include "tests/support/PropertySetBuilder.h"

#include "catalogue/core/FileTimeText.h"

namespace testsupport {

std::string Le16(std::uint16_t v) {
  return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string Le32(std::uint32_t v) {
  return Le16(static_cast<std::uint16_t>(v & 0xFFFF)) + Le16(static_cast<std::uint16_t>(v >> 16));
}

std::string Le64(std::uint64_t v) {
  return Le32(static_cast<std::uint32_t>(v & 0xFFFFFFFFu)) +
         Le32(static_cast<std::uint32_t>(v >> 32));
}

std::uint64_t FileTimeOfUtc(int year, int month, int day, int hour, int minute, int second) {
  long long days = catalogue::DaysFromCivil(year, month, day);
  long long seconds = (days + 134774) * 86400LL + hour * 3600LL + minute * 60LL + second;
  return static_cast<std::uint64_t>(seconds) * 10'000'000ULL;
}

std::string PropertySetBuilder::SummaryFmtid() {
  return std::string("\xE0\x85\x9F\xF2\xF9\x4F\x68\x10\xAB\x91\x08\x00\x2B\x27\xB3\xD9", 16);
}

PropertySetBuilder& PropertySetBuilder::Raw(std::uint32_t id, std::uint16_t type,
                                            const std::string& data) {
  std::string value = Le16(type) + Le16(0) + data;
  while (value.size() % 4 != 0) {
    value += '\0';
  }
  entries_.push_back({id, value});
  return *this;
}

PropertySetBuilder& PropertySetBuilder::CodePage(std::int16_t codePage) {
  return Raw(1, 2, Le16(static_cast<std::uint16_t>(codePage)) + Le16(0));
}

PropertySetBuilder& PropertySetBuilder::Lpstr(std::uint32_t id, const std::string& bytes) {
  return LpstrNoNul(id, bytes + '\0');
}

PropertySetBuilder& PropertySetBuilder::LpstrNoNul(std::uint32_t id, const std::string& bytes) {
  return Raw(id, 30, Le32(static_cast<std::uint32_t>(bytes.size())) + bytes);
}

PropertySetBuilder& PropertySetBuilder::Lpwstr(std::uint32_t id, const std::u16string& units) {
  std::string data = Le32(static_cast<std::uint32_t>(units.size() + 1));
  for (char16_t u : units) {
    data += Le16(static_cast<std::uint16_t>(u));
  }
  data += Le16(0);
  return Raw(id, 31, data);
}

PropertySetBuilder& PropertySetBuilder::FileTime(std::uint32_t id, std::uint64_t value) {
  return Raw(id, 64, Le64(value));
}

PropertySetBuilder& PropertySetBuilder::I4(std::uint32_t id, std::int32_t value) {
  return Raw(id, 3, Le32(static_cast<std::uint32_t>(value)));
}

PropertySetBuilder& PropertySetBuilder::Fmtid(const std::string& fmtid) {
  fmtid_ = fmtid;
  return *this;
}

std::string PropertySetBuilder::Build() const {
  std::string table;
  std::string values;
  std::uint32_t valuesStart = 8 + 8 * static_cast<std::uint32_t>(entries_.size());
  for (const Entry& e : entries_) {
    table += Le32(e.id) + Le32(valuesStart + static_cast<std::uint32_t>(values.size()));
    values += e.value;
  }
  std::string section = Le32(static_cast<std::uint32_t>(8 + table.size() + values.size())) +
                        Le32(static_cast<std::uint32_t>(entries_.size())) + table + values;
  std::string header = Le16(0xFFFE) + Le16(0) + Le32(0x00020006) + std::string(16, '\0') + Le32(1) +
                       fmtid_ + Le32(48);
  return header + section;
}

}  // namespace testsupport
