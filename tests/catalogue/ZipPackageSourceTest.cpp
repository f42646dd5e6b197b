#include "catalogue/ole/ZipPackageSource.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/ZipDirectory.h"
#include "catalogue/ole/MsoleSummarySource.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/CompoundFileWriter.h"
#include "tests/support/PackageWriter.h"
#include "tests/support/PropertySetBuilder.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

using catalogue::DocumentPackage;
using Status = DocumentPackage::Part::Status;

struct ZipFixture : ::testing::Test {
  testsupport::TempDir dir;
  ZipPackageSource source;
};

TEST_F(ZipFixture, PartsAreFoundByPathInEitherCase) {
  std::string path = dir.File("a.docx");
  testsupport::WriteZip(path, {{"[Content_Types].xml", "<Types/>"},
                               {"docProps/core.xml", "<core/>"},
                               {"deep/er/still/part.bin", "bytes"}});
  std::unique_ptr<DocumentPackage> package = source.OpenPackage(path);
  ASSERT_NE(package, nullptr);
  DocumentPackage::Part part = package->ReadPart("docProps/core.xml", 100);
  EXPECT_EQ(part.status, Status::Read);
  EXPECT_EQ(part.bytes, "<core/>");
  EXPECT_TRUE(part.complete);
  EXPECT_EQ(package->ReadPart("DOCPROPS/Core.XML", 100).bytes, "<core/>");
  EXPECT_EQ(package->ReadPart("deep/er/still/part.bin", 100).bytes, "bytes");
  EXPECT_EQ(package->ReadPart("[content_types].xml", 0).status, Status::Read);
  // Folders are not parts, and nothing lies beneath a part.
  for (const char* name : {"docProps", "docProps/", "docProps/core.xml/x", "missing.xml",
                           "deep/missing/part.bin", ""}) {
    EXPECT_EQ(package->ReadPart(name, 100).status, Status::Missing) << name;
  }
  // Only as much as asked is read.
  part = package->ReadPart("deep/er/still/part.bin", 3);
  EXPECT_EQ(part.bytes, "byt");
  EXPECT_FALSE(part.complete);
}

TEST_F(ZipFixture, AHugePartIsDecompressedNoFurtherThanTheLimit) {
  std::string path = dir.File("bomb.docx");
  // 64 MiB of one byte: a few tens of kilobytes in the archive.
  testsupport::WriteZip(path, {{"big.xml", std::string(std::size_t{64} << 20, 'a')}});
  EXPECT_LT(std::filesystem::file_size(path), 1u << 20);
  std::unique_ptr<DocumentPackage> package = source.OpenPackage(path);
  ASSERT_NE(package, nullptr);
  DocumentPackage::Part part = package->ReadPart("big.xml", catalogue::kMetadataPartLimit);
  EXPECT_EQ(part.status, Status::Read);
  EXPECT_FALSE(part.complete);
  EXPECT_EQ(part.bytes.size(), catalogue::kMetadataPartLimit);
}

TEST_F(ZipFixture, DamagedArchivesAreRefusedOrTheirPartsReportedDamaged) {
  std::string path = dir.File("a.docx");
  std::string part(200000, 'x');
  for (std::size_t i = 0; i < part.size(); ++i) {
    part[i] = static_cast<char>('a' + (i * 7919) % 26);  // compresses, but not to nothing
  }
  testsupport::WriteZip(path, {{"part.xml", part}});
  std::string bytes = testsupport::ReadAll(path);

  // Without its central directory (cut short), it is no archive.
  std::size_t central = bytes.rfind(std::string("PK\x01\x02", 4));
  ASSERT_NE(central, std::string::npos);
  std::ofstream(dir.File("cut.docx"), std::ios::binary) << bytes.substr(0, central);
  EXPECT_EQ(source.OpenPackage(dir.File("cut.docx")), nullptr);
  std::ofstream(dir.File("empty.docx"), std::ios::binary) << "";
  EXPECT_EQ(source.OpenPackage(dir.File("empty.docx")), nullptr);
  EXPECT_EQ(source.OpenPackage(dir.File("missing.docx")), nullptr);

  // A part listed in the directory whose own header is spoiled is damaged,
  // not missing; the others read.
  testsupport::WriteZip(dir.File("header.docx"), {{"a.xml", "first"}, {"b.xml", "second"}});
  std::string withHeaders = testsupport::ReadAll(dir.File("header.docx"));
  std::size_t second = withHeaders.find(std::string("PK\x03\x04", 4), 4);
  ASSERT_NE(second, std::string::npos);
  withHeaders.replace(second, 4, "XXXX");
  std::ofstream(dir.File("header.docx"), std::ios::binary | std::ios::trunc) << withHeaders;
  std::unique_ptr<DocumentPackage> headers = source.OpenPackage(dir.File("header.docx"));
  ASSERT_NE(headers, nullptr);
  EXPECT_EQ(headers->ReadPart("a.xml", 100).bytes, "first");
  EXPECT_EQ(headers->ReadPart("b.xml", 100).status, Status::Damaged);

  // A compressed stream that cannot be inflated.
  std::string spoiled = bytes;
  auto u16 = [&](std::size_t at) {
    return static_cast<std::size_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
  };
  std::size_t data = 30 + u16(26) + u16(28);  // past the first local header
  for (std::size_t i = data; i < data + 64 && i < central; ++i) {
    spoiled[i] = '\xFF';
  }
  std::ofstream(dir.File("spoiled.docx"), std::ios::binary) << spoiled;
  std::unique_ptr<DocumentPackage> package = source.OpenPackage(dir.File("spoiled.docx"));
  ASSERT_NE(package, nullptr);
  EXPECT_EQ(package->ReadPart("part.xml", catalogue::kMetadataPartLimit).status, Status::Damaged);
}

TEST_F(ZipFixture, TheStartOfAFileSaysWhetherThereIsMore) {
  std::ofstream(dir.File("a.rtf"), std::ios::binary) << "{\\rtf1 hello}";
  auto start = source.ReadFileStart(dir.File("a.rtf"), 5);
  EXPECT_TRUE(start.opened);
  EXPECT_EQ(start.bytes, "{\\rtf");
  EXPECT_FALSE(start.wholeFile);
  start = source.ReadFileStart(dir.File("a.rtf"), 100);
  EXPECT_EQ(start.bytes, "{\\rtf1 hello}");
  EXPECT_TRUE(start.wholeFile);
  EXPECT_FALSE(source.ReadFileStart(dir.File("missing.rtf"), 5).opened);
  std::filesystem::create_directory(dir.File("folder.rtf"));
  EXPECT_FALSE(source.ReadFileStart(dir.File("folder.rtf"), 5).opened);
}

// An archive claiming more entries than any package has is refused from
// its end record, before libgsf reads a directory that would take it
// minutes; a pipe named like a document is refused without waiting for it.
TEST_F(ZipFixture, ArchivesOfTooManyEntriesAndPipesAreRefusedUnread) {
  // 80,000 entries, in the ZIP64 form, found through the locator at 1004.
  std::string zip64 = std::string("PK\x06\x06", 4) + std::string(20, '\0') +
                      std::string("\x80\x38\x01", 3) + std::string(5, '\0') +
                      std::string("\x80\x38\x01", 3) + std::string(21, '\0');
  std::string body = std::string("PK\x03\x04", 4) + std::string(1000, 'z');
  std::string locator = std::string("PK\x06\x07", 4) + std::string(4, '\0') +
                        std::string("\xEC\x03", 2) + std::string(6, '\0') +
                        std::string("\x01\0\0\0", 4);
  std::string end = std::string("PK\x05\x06", 4) + std::string(4, '\0') +
                    std::string("\xFF\xFF\xFF\xFF", 4) + std::string(10, '\0');
  std::string many = dir.Write("many.docx", body + zip64 + locator + end);

  MsoleSummarySource ole;
  ZipPackageSource packages(ole.Document());
  catalogue::fakes::RecordingReporter reporter;
  catalogue::DocumentReader reader(ole, reporter, catalogue::RegionalFormats{}, 0);
  reader.ReadNewerFormats(packages);
  EXPECT_EQ(reader.ReadDocumentRecord(many), "");
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0], std::string(catalogue::kMsgInformationUnreadable) + "\r\n" +
                                      catalogue::TooManyEntriesMessage(80000));

  // The same ZIP64 record behind 16-bit counts of 3: records that disagree
  // are damaged, whatever the ZIP library would have believed.
  std::string three = std::string("PK\x05\x06", 4) + std::string(4, '\0') +
                      std::string("\x03\0\x03\0", 4) + std::string(10, '\0');
  std::string lying = dir.Write("lying.docx", body + zip64 + locator + three);
  EXPECT_EQ(reader.ReadDocumentRecord(lying), "");
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(reporter.messages[1], std::string(catalogue::kMsgInformationUnreadable) + "\r\n" +
                                      catalogue::DisagreeingCountsMessage());

  ASSERT_EQ(::mkfifo(dir.File("pipe.docx").c_str(), 0600), 0);
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("pipe.docx")), "");  // no writer: would block
  EXPECT_FALSE(packages.ReadFileStart(dir.File("pipe.docx"), 4).opened);
}

// A password-protected Word 2007+ document is a compound file of encrypted
// streams; a compound file may hold no summary at all. With the newer
// formats read, each is said in words; without, the storage codes stay.
TEST_F(ZipFixture, PasswordsAndMissingSummariesAreSaidInWordsWithTheNewerFormats) {
  std::string summary = testsupport::PropertySetBuilder().Lpstr(2, "Decoy").Build();
  testsupport::WriteCompoundFile(dir.File("locked.docx"),
                                 {{"EncryptionInfo", std::string(64, '\x04')},
                                  {"EncryptedPackage", std::string(4096, '\x7F')},
                                  {testsupport::kSummaryStreamName, summary}});
  testsupport::WriteCompoundFile(dir.File("plain.doc"), {{"WordDocument", std::string(600, 'w')}});
  testsupport::WriteCompoundFile(
      dir.File("half.doc"), {{"EncryptionInfo", "x"}, {testsupport::kSummaryStreamName, summary}});

  MsoleSummarySource ole;
  catalogue::fakes::RecordingReporter reporter;
  catalogue::DocumentReader classic(ole, reporter, catalogue::RegionalFormats{}, 0);
  EXPECT_EQ(classic.ReadDocumentRecord(dir.File("locked.docx")), "locked.docx;Decoy;;;;;;;;;;");
  EXPECT_EQ(classic.ReadDocumentRecord(dir.File("plain.doc")), "");
  EXPECT_EQ(reporter.messages, (std::vector<std::string>{std::string(catalogue::kMsgSetOpenError) +
                                                         "\r\nHResult = $80030002"}));

  reporter.messages.clear();
  catalogue::DocumentReader reader(ole, reporter, catalogue::RegionalFormats{}, 0);
  reader.ReadNewerFormats(source);
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("locked.docx")), "");
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("plain.doc")), "");
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("half.doc")), "half.doc;Decoy;;;;;;;;;;");
  EXPECT_EQ(reporter.messages, (std::vector<std::string>{catalogue::kMsgPasswordProtected,
                                                         catalogue::kMsgNoSummaryProperties}));
}

// Every format through the reader, as the scan reads them, with the newer
// formats and without.
TEST_F(ZipFixture, TheReaderReadsEachFormatByItsContentOnlyWhenAsked) {
  testsupport::WriteSummaryDocument(
      dir.File("old.doc"), testsupport::PropertySetBuilder().CodePage(932).Lpstr(2, "Old").Build());
  testsupport::WriteZip(dir.File("new.docx"),
                        testsupport::DocxParts(testsupport::CorePropertiesXml(
                            "<dc:title>New</dc:title><dc:creator>A</dc:creator>")));
  testsupport::WriteZip(dir.File("really-docx.doc"),
                        testsupport::DocxParts(testsupport::CorePropertiesXml("")));
  testsupport::WriteZip(dir.File("open.odt"),
                        testsupport::OdtParts(testsupport::OpenDocumentMetaXml(
                            "<dc:title>Open</dc:title><meta:keyword>k1</meta:keyword>")));
  std::ofstream(dir.File("info.rtf"), std::ios::binary)
      << "{\\rtf1\\ansi\\ansicpg932{\\info{\\title \\'93\\'fa\\'96\\'7b}{\\version3}"
         "{\\creatim\\yr2020\\mo4\\dy5\\hr6\\min7}}}";
  std::ofstream(dir.File("notes.docx"), std::ios::binary) << "plain text";
  testsupport::WriteZip(dir.File("broken.odt"),
                        testsupport::OdtParts("<office:document-meta><office:meta>"));

  MsoleSummarySource ole;
  catalogue::fakes::RecordingReporter reporter;
  catalogue::DocumentReader classic(ole, reporter, catalogue::RegionalFormats{}, 0);
  EXPECT_EQ(classic.ReadDocumentRecord(dir.File("old.doc")), "old.doc;Old;;;;;;;;;;");
  EXPECT_EQ(classic.ReadDocumentRecord(dir.File("new.docx")), "");
  EXPECT_EQ(classic.ReadDocumentRecord(dir.File("info.rtf")), "");
  EXPECT_EQ(reporter.messages, (std::vector<std::string>{catalogue::kMsgUnsupportedFile,
                                                         catalogue::kMsgUnsupportedFile}));

  reporter.messages.clear();
  catalogue::DocumentReader reader(ole, reporter, catalogue::RegionalFormats{}, 0);
  reader.ReadNewerFormats(source);
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("old.doc")), "old.doc;Old;;;;;;;;;;");
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("new.docx")), "new.docx;New;;;A;;;;;;;");
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("really-docx.doc")), "really-docx.doc;;;;;;;;;;;");
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("open.odt")), "open.odt;Open;;;;k1;;;;;;");
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("info.rtf")),
            "info.rtf;日本;;;;;;;3;;2020/04/05 6:07:00;");
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("notes.docx")), "");
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("broken.odt")), "");
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("gone.docx")), "");
  ASSERT_EQ(reporter.messages.size(), 3u);
  EXPECT_EQ(reporter.messages[0], catalogue::kMsgUnsupportedFile);
  EXPECT_EQ(
      reporter.messages[1].rfind(std::string(catalogue::kMsgInformationUnreadable) + "\r\n", 0), 0u)
      << reporter.messages[1];
  EXPECT_NE(reporter.messages[1].find("meta.xml"), std::string::npos);
  EXPECT_EQ(reporter.messages[2], catalogue::kMsgFileNotFound);
}

}  // namespace
}  // namespace catalogue
