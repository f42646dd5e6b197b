// The count of entries a ZIP archive's end records give, read before any
// ZIP library opens the archive.

#include "catalogue/core/ZipDirectory.h"

#include <gtest/gtest.h>

#include "tests/support/PackageWriter.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

std::string Little(std::uint64_t value, int bytes) {
  std::string text;
  for (int i = 0; i < bytes; ++i) {
    text += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  return text;
}

// An end-of-central-directory record claiming `entries`, with `comment`.
std::string EndRecord(std::uint64_t entries, const std::string& comment = "") {
  return "PK\x05\x06" + Little(0, 2) + Little(0, 2) + Little(entries, 2) + Little(entries, 2) +
         Little(0, 4) + Little(0, 4) + Little(comment.size(), 2) + comment;
}

std::optional<ZipEntryCount> Read(const std::string& file) {
  std::size_t tail = std::min(file.size(), kZipEndSearch);
  return ReadZipEntryCount(std::string_view(file).substr(file.size() - tail), file.size(),
                           [&](std::uint64_t offset, std::size_t size) {
                             return offset < file.size() ? file.substr(offset, size)
                                                         : std::string();
                           });
}

// The count, when the records agree.
std::optional<std::uint64_t> Count(const std::string& file) {
  std::optional<ZipEntryCount> count = Read(file);
  if (!count || count->recordsDisagree) {
    return std::nullopt;
  }
  return count->entries;
}

std::string Zip64Record(std::uint64_t onDisk, std::uint64_t total) {
  return "PK\x06\x06" + Little(44, 8) + Little(45, 2) + Little(45, 2) + Little(0, 4) +
         Little(0, 4) + Little(onDisk, 8) + Little(total, 8) + Little(0, 8) + Little(0, 8);
}

TEST(ZipDirectory, TheEndRecordGivesTheCountOfARealArchive) {
  testsupport::TempDir dir;
  std::string path = dir.File("a.zip");
  testsupport::WriteZip(path, {{"a.xml", "<a/>"}, {"b/c.xml", "<c/>"}, {"d.bin", "x"}});
  std::optional<std::uint64_t> count = Count(testsupport::ReadAll(path));
  ASSERT_TRUE(count);
  EXPECT_GE(*count, 3u);  // the parts, and the folder entries the writer adds
  EXPECT_LE(*count, 5u);
}

TEST(ZipDirectory, CommentsZip64AndDamagedEndsAreReadAsTheyAre) {
  std::string body = "PK\x03\x04" + std::string(100, '\0');
  EXPECT_EQ(Count(body + EndRecord(80000 % 65536)), 80000u % 65536);
  EXPECT_EQ(Count(body + EndRecord(12, "a comment that mentions PK\x05\x06 itself")), 12u);
  // A "record" whose comment would run past the end is not the end record.
  EXPECT_EQ(Count(body + EndRecord(7) + "PK\x05\x06" + std::string(16, '\0') + Little(500, 2)), 7u);
  EXPECT_EQ(Count(body), std::nullopt);
  EXPECT_EQ(Count("PK"), std::nullopt);

  // ZIP64: the ZIP64 end record, found through its locator, holds the count.
  std::string zip64Record = "PK\x06\x06" + Little(44, 8) + Little(45, 2) + Little(45, 2) +
                            Little(0, 4) + Little(0, 4) + Little(300000, 8) + Little(300000, 8) +
                            Little(0, 8) + Little(0, 8);
  std::string locator = "PK\x06\x07" + Little(0, 4) + Little(body.size(), 8) + Little(1, 4);
  EXPECT_EQ(Count(body + zip64Record + locator + EndRecord(0xFFFF)), 300000u);
  // A locator pointing nowhere leaves the 16-bit count.
  std::string lost = "PK\x06\x07" + Little(0, 4) + Little(1u << 30, 8) + Little(1, 4);
  EXPECT_EQ(Count(body + zip64Record + lost + EndRecord(0xFFFF)), 0xFFFFu);
  // Records that agree: a ZIP64 record beside real 16-bit counts.
  EXPECT_EQ(Count(body + Zip64Record(3, 3) + locator + EndRecord(3)), 3u);
  EXPECT_EQ(TooManyEntriesMessage(80000),
            "ZIP 書庫の項目が多すぎます (80000 個。文書として読むのは 10000 個まで)");
}

// An archive may not tell one reader a few entries and another many: the
// count is the most any record claims, and records that disagree make it
// damaged.
TEST(ZipDirectory, RecordsThatDisagreeAreCaughtAndTheLargestClaimCounts) {
  std::string body = "PK\x03\x04" + std::string(100, '\0');
  std::string locator = "PK\x06\x07" + Little(0, 4) + Little(body.size(), 8) + Little(1, 4);
  std::optional<ZipEntryCount> lying =
      Read(body + Zip64Record(80001, 80001) + locator + EndRecord(3));
  ASSERT_TRUE(lying);
  EXPECT_EQ(lying->entries, 80001u);
  EXPECT_TRUE(lying->recordsDisagree);
  std::optional<ZipEntryCount> split =
      Read(body + Zip64Record(2, 90000) + locator + EndRecord(0xFFFF));
  EXPECT_EQ(split->entries, 90000u);
  EXPECT_TRUE(split->recordsDisagree);
  std::string classic = "PK\x05\x06" + Little(0, 2) + Little(0, 2) + Little(3, 2) +
                        Little(40000, 2) + Little(0, 4) + Little(0, 4) + Little(0, 2);
  std::optional<ZipEntryCount> halves = Read(body + classic);
  EXPECT_EQ(halves->entries, 40000u);
  EXPECT_TRUE(halves->recordsDisagree);
  EXPECT_FALSE(Read(body + EndRecord(5))->recordsDisagree);
}

}  // namespace
}  // namespace catalogue
