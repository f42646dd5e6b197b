#include "catalogue/core/ZipDirectory.h"

#include <algorithm>

namespace catalogue {

namespace {

constexpr std::size_t kEndRecord = 22;
constexpr std::size_t kZip64Locator = 20;
constexpr std::size_t kZip64EndRecord = 56;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kLocatorSignature = 0x07064b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;

std::uint64_t Little(std::string_view bytes, std::size_t at, std::size_t size) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

}  // namespace

std::optional<ZipEntryCount> ReadZipEntryCount(
    std::string_view tail, std::uint64_t fileSize,
    const std::function<std::string(std::uint64_t offset, std::size_t size)>& readAt) {
  if (tail.size() < kEndRecord || fileSize < tail.size()) {
    return std::nullopt;
  }
  // The last end record whose comment reaches no further than the file.
  for (std::size_t at = tail.size() - kEndRecord + 1; at-- > 0;) {
    if (Little(tail, at, 4) != kEndSignature) {
      continue;
    }
    std::uint64_t comment = Little(tail, at + 20, 2);
    if (at + kEndRecord + comment > tail.size()) {
      continue;
    }
    std::uint64_t onDisk = Little(tail, at + 8, 2);
    std::uint64_t total = Little(tail, at + 10, 2);
    ZipEntryCount count{std::max(onDisk, total), onDisk != total};
    // ZIP64: a locator just before the end record points at the ZIP64 end
    // record, which holds the counts in eight bytes. A reader may take it
    // whatever the 16-bit counts say, so it is read whenever it is there.
    if (at < kZip64Locator || fileSize < kZip64EndRecord) {
      return count;
    }
    std::size_t locator = at - kZip64Locator;
    if (Little(tail, locator, 4) != kLocatorSignature) {
      return count;
    }
    std::uint64_t offset = Little(tail, locator + 8, 8);
    if (offset > fileSize - kZip64EndRecord) {
      return count;
    }
    std::string record = readAt(offset, kZip64EndRecord);
    if (record.size() < kZip64EndRecord || Little(record, 0, 4) != kZip64EndSignature) {
      return count;
    }
    std::uint64_t onDisk64 = Little(record, 24, 8);
    std::uint64_t total64 = Little(record, 32, 8);
    std::uint64_t entries64 = std::max(onDisk64, total64);
    count.recordsDisagree = count.recordsDisagree || onDisk64 != total64 ||
                            (count.entries != 0xFFFF && count.entries != entries64);
    count.entries = std::max(count.entries, entries64);
    return count;
  }
  return std::nullopt;
}

std::string DisagreeingCountsMessage() {
  return "ZIP 書庫が壊れています (項目の数が記録ごとに違います)";
}

std::string TooManyEntriesMessage(std::uint64_t entries) {
  return "ZIP 書庫の項目が多すぎます (" + std::to_string(entries) + " 個。文書として読むのは " +
         std::to_string(kPackageEntryLimit) + " 個まで)";
}

}  // namespace catalogue
