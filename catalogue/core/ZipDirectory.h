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

// The number of entries a ZIP archive's central directory says it holds,
// from the end-of-central-directory record among `tail` (the archive's last
// bytes, at most kZipEndSearch of them) and, for an archive in the ZIP64
// form, its ZIP64 record, which `readAt` reads (an absolute offset and a
// size; the bytes, or fewer when the file is shorter). Nothing when no end
// record is found.
std::optional<std::uint64_t> ZipEntryCount(
    std::string_view tail, std::uint64_t fileSize,
    const std::function<std::string(std::uint64_t offset, std::size_t size)>& readAt);

// What is said of an archive with more entries than kPackageEntryLimit.
std::string TooManyEntriesMessage(std::uint64_t entries);

}  // namespace catalogue
