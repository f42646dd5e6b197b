#include "catalogue/ole/MsoleSummarySource.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

#include "catalogue/core/DocumentReader.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/CompoundFileWriter.h"
#include "tests/support/PropertySetBuilder.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

using namespace catalogue;
using testsupport::PropertySetBuilder;

struct OleFixture : ::testing::Test {
  testsupport::TempDir dir;
  MsoleSummarySource source;

  HResult OpenCode(const std::string& path) { return source.ReadSummaryStream(path).storageCode; }
};

TEST_F(OleFixture, HandsOverTheSummaryStreamBytes) {
  std::string set = PropertySetBuilder().CodePage(932).Lpstr(2, "\x93\xFA\x96\x7B").Build();
  std::string path = dir.File("a.doc");
  testsupport::WriteSummaryDocument(path, set);
  SummaryStream stream = source.ReadSummaryStream(path);
  EXPECT_EQ(stream.storageCode, kS_OK);
  EXPECT_EQ(stream.setCode, kS_OK);
  EXPECT_EQ(stream.bytes, set);
}

// A document costs a request per 64 KiB block it needs, not one per sector
// libgsf reads: on a network share every request is a round trip.
TEST_F(OleFixture, ADocumentIsReadInAFewRequestsOnItsOneDescriptor) {
  std::string set = PropertySetBuilder().CodePage(932).Lpstr(2, "T").Build();
  std::string path = dir.File("big.doc");
  // The text stream first, the summary after it: a file of 300 KB.
  testsupport::WriteCompoundFile(
      path, {{"WordDocument", std::string(300000, 'w')}, {testsupport::kSummaryStreamName, set}});
  SummaryStream stream = source.ReadSummaryStream(path);
  ASSERT_EQ(stream.setCode, kS_OK);
  EXPECT_EQ(stream.bytes, set);
  EXPECT_LE(source.Document()->Fetches(), 4u);

  // Blocks read once serve every later read; another file starts afresh.
  const OpenedDocument& document = *source.Document();
  std::size_t before = document.Fetches();
  for (std::uint64_t at = 0; at < 60000; at += 512) {
    ASSERT_EQ(document.ReadAt(at, 512).size(), 512u);
  }
  EXPECT_EQ(document.Fetches(), before);
  std::string across = document.ReadAt(65000, 2000);  // two blocks
  EXPECT_EQ(across.size(), 2000u);
  std::string small = dir.Write("small.txt", "hello");
  source.Document()->Open(small);
  EXPECT_EQ(document.Fetches(), 0u);
  EXPECT_EQ(document.ReadAt(1, 100), "ello");
  EXPECT_EQ(document.Fetches(), 1u);
  EXPECT_EQ(document.ReadAt(3, 100), "lo");
  EXPECT_EQ(document.Fetches(), 1u);
}

TEST_F(OleFixture, AStreamOfNoBytesIsAnEmptySet) {
  std::string path = dir.File("a.doc");
  testsupport::WriteCompoundFile(path, {{testsupport::kSummaryStreamName, ""}});
  SummaryStream stream = source.ReadSummaryStream(path);
  EXPECT_EQ(stream.setCode, kS_OK);
  EXPECT_EQ(stream.bytes, "");
}

TEST_F(OleFixture, CompoundFileWithoutSummaryStreamHasNoSet) {
  std::string path = dir.File("a.doc");
  testsupport::WriteCompoundFile(path, {{"WordDocument", "x"}});
  SummaryStream stream = source.ReadSummaryStream(path);
  EXPECT_EQ(stream.storageCode, kS_OK);
  EXPECT_EQ(stream.setCode, kSTG_E_FILENOTFOUND);
}

TEST_F(OleFixture, FilesThatAreNotCompoundFilesAreUnsupported) {
  std::string compound = dir.File("real.doc");
  testsupport::WriteSummaryDocument(compound, PropertySetBuilder().Lpstr(2, "x").Build());
  std::string head = testsupport::ReadAll(compound).substr(0, 300);
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"empty.doc", ""},
           {"memo.rtf", "{\\rtf1\\ansi hello}"},
           {"text.doc", std::string(4096, 'a')},
           {"zip.doc", "PK\x03\x04" + std::string(1000, '\0')},
           {"short.doc", head}}) {
    EXPECT_EQ(OpenCode(dir.Write(name, bytes)), kSTG_E_FILEALREADYEXISTS) << name;
  }
}

TEST_F(OleFixture, MissingFilesFoldersAndPermissionsGetTheirCodes) {
  EXPECT_EQ(OpenCode(dir.File("missing.doc")), kSTG_E_FILENOTFOUND);
  EXPECT_EQ(OpenCode(dir.File("no-folder/missing.doc")), kSTG_E_PATHNOTFOUND);
  std::filesystem::create_directory(dir.File("folder.doc"));
  EXPECT_EQ(OpenCode(dir.File("folder.doc")), kSTG_E_ACCESSDENIED);
  // A pipe would block and a device never ends: neither is read.
  ASSERT_EQ(::mkfifo(dir.File("pipe.doc").c_str(), 0600), 0);
  EXPECT_EQ(OpenCode(dir.File("pipe.doc")), kSTG_E_ACCESSDENIED);
  EXPECT_EQ(OpenCode("/dev/zero"), kSTG_E_ACCESSDENIED);
  if (::geteuid() != 0) {  // root reads anything
    std::string locked = dir.Write("locked.doc", "x");
    ::chmod(locked.c_str(), 0);
    EXPECT_EQ(OpenCode(locked), kSTG_E_ACCESSDENIED);
  }
}

TEST_F(OleFixture, TruncatedOrDamagedCompoundFilesAreCorrupt) {
  std::string compound = dir.File("real.doc");
  testsupport::WriteCompoundFile(
      compound, {{"WordDocument", std::string(5000, 'w')},
                 {testsupport::kSummaryStreamName, PropertySetBuilder().Lpstr(2, "x").Build()}});
  std::string bytes = testsupport::ReadAll(compound);
  ASSERT_GT(bytes.size(), 3000u);
  for (std::size_t keep : {512u, 600u, 3000u}) {
    EXPECT_EQ(OpenCode(dir.Write("cut.doc", bytes.substr(0, keep))), kSTG_E_DOCFILECORRUPT) << keep;
  }
  std::string badSectorSize = bytes;
  badSectorSize[30] = 40;  // sector shift
  EXPECT_EQ(OpenCode(dir.Write("bad.doc", badSectorSize)), kSTG_E_DOCFILECORRUPT);
}

TEST_F(OleFixture, ReaderGivesTheRecordOfARealCompoundFile) {
  // The whole reading path on a file written by a compound-file writer,
  // with a name that holds 表 (second byte 0x5C).
  std::string path = dir.File(
      "\xE8\xA1\xA8"
      "a.doc");
  testsupport::WriteSummaryDocument(
      path, PropertySetBuilder()
                .CodePage(932)
                .Lpstr(2, "\x8A\xE9\x89\xE6")  // 企画
                .Lpstr(4, "Author")
                .FileTime(13, testsupport::FileTimeOfUtc(2026, 12, 7, 0, 0, 0))
                .Build());
  fakes::RecordingReporter reporter;
  DocumentReader reader(source, reporter, RegionalFormats{}, 0);
  EXPECT_EQ(reader.ReadDocumentRecord(path), "表a.doc;企画;2026/12/07;;Author;;;;;;;");
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace catalogue
