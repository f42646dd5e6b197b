#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// The most entries a package is opened with: no office document has more,
// and opening an archive costs the ZIP library time that grows with the
// square of its folders.
inline constexpr std::uint64_t kPackageEntryLimit = 10000;

// How many bytes from the end of an archive its end record can start: the
// record (22 bytes) with the longest comment (65,535).
inline constexpr std::size_t kZipEndSearch = 22 + 65535;

// What a ZIP archive's end records say of its entries: the most any of
// them claims (the ZIP library believes one or another), and whether they
// disagree (on-disk and total counts that differ, or a 16-bit count that
// is neither the ZIP64 count nor the mark that sends a reader to it): such
// an archive is damaged, or made to mislead a reader.
struct ZipEntryCount {
  std::uint64_t entries = 0;
  bool recordsDisagree = false;
};

// The counts of a ZIP archive's end-of-central-directory record among
// `tail` (the archive's last bytes, at most kZipEndSearch of them) and, when
// a ZIP64 locator stands before it, of its ZIP64 end record, which `readAt`
// reads (an absolute offset and a size; the bytes, or fewer when the file
// is shorter). Nothing when no end record is found.
std::optional<ZipEntryCount> ReadZipEntryCount(
    std::string_view tail, std::uint64_t fileSize,
    const std::function<std::string(std::uint64_t offset, std::size_t size)>& readAt);

// What is said of an archive whose records disagree on its entries.
std::string DisagreeingCountsMessage();

// What is said of an archive with more entries than kPackageEntryLimit.
std::string TooManyEntriesMessage(std::uint64_t entries);

}  // namespace catalogue
