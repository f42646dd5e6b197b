#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace catalogue {

// Variant types of the summary property set that the reader tells apart.
inline constexpr std::uint16_t kVT_EMPTY = 0;
inline constexpr std::uint16_t kVT_I2 = 2;
inline constexpr std::uint16_t kVT_I4 = 3;
inline constexpr std::uint16_t kVT_LPSTR = 30;
inline constexpr std::uint16_t kVT_LPWSTR = 31;
inline constexpr std::uint16_t kVT_FILETIME = 64;
inline constexpr std::uint16_t kVT_CF = 71;

// Summary property ids the record uses.
inline constexpr std::uint32_t kPidCodePage = 1;
inline constexpr std::uint32_t kPidTitle = 2;
inline constexpr std::uint32_t kPidSubject = 3;
inline constexpr std::uint32_t kPidAuthor = 4;
inline constexpr std::uint32_t kPidKeywords = 5;
inline constexpr std::uint32_t kPidComments = 6;
inline constexpr std::uint32_t kPidTemplate = 7;
inline constexpr std::uint32_t kPidLastAuthor = 8;
inline constexpr std::uint32_t kPidRevNumber = 9;
inline constexpr std::uint32_t kPidLastPrinted = 11;
inline constexpr std::uint32_t kPidCreated = 12;
inline constexpr std::uint32_t kPidLastSaved = 13;
inline constexpr std::uint32_t kPidAppName = 18;

// The record reads ids 2 to 19, in this order, in one request.
inline constexpr std::uint32_t kFirstRequestedId = 2;
inline constexpr std::size_t kRequestedCount = 18;

// One property value as the set delivers it. `data` holds:
//  - VT_LPSTR: the text in UTF-8, up to (not including) its first NUL;
//  - VT_LPWSTR: the stored UTF-16LE units, unconverted;
//  - any other type: the stored value bytes after the 4-byte type field,
//    at most 8 of them (so a date is its 8 FILETIME bytes).
// An absent property is VT_EMPTY with no data.
struct PropertyValue {
  std::uint16_t type = kVT_EMPTY;
  std::string data;

  bool operator==(const PropertyValue&) const = default;
};

// Values of ids 2 to 19; index = id - 2.
using RequestedValues = std::array<PropertyValue, kRequestedCount>;

}  // namespace catalogue
