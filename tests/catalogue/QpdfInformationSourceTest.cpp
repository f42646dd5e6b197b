#include "catalogue/pdf/QpdfInformationSource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/ole/MsoleSummarySource.h"
#include "catalogue/ole/ZipPackageSource.h"
#include "catalogue/pdf/StructureBudget.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/HostilePdfs.h"
#include "tests/support/InputFiles.h"
#include "tests/support/PdfWriter.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

using testsupport::MakePdf;
using testsupport::PdfContent;
using Status = PdfDocumentInformation::Status;

PdfContent Sample() {
  PdfContent c;
  c.information = {{"Title", std::string("\xFE\xFF\x58\x31\x54\x4A", 6)},
                   {"Author", "Jos\xE9"},
                   {"ModDate", "D:20240305102030+09'00'"}};
  c.xmp = testsupport::XmpPacket("x", "xmp subject", "y", "2023-12-24T15:30:45Z", "");
  return c;
}

TEST(QpdfInformationSource, ReadsTheDictionaryAndTheMetadataOfAPlainOrLockedFile) {
  testsupport::TempDir dir;
  QpdfInformationSource source;

  PdfDocumentInformation plain = source.ReadPdfInformation(dir.Write("a.pdf", MakePdf(Sample())));
  ASSERT_EQ(plain.status, Status::Read);
  EXPECT_EQ(plain.title, std::string("\xFE\xFF\x58\x31\x54\x4A", 6));
  EXPECT_EQ(plain.author, "Jos\xE9");
  EXPECT_EQ(plain.modDate, "D:20240305102030+09'00'");
  EXPECT_FALSE(plain.subject.has_value());
  EXPECT_NE(plain.xmp.find("xmp subject"), std::string::npos);

  // Locked for changes only: it opens without a password, and its strings
  // and metadata come decrypted.
  PdfContent ownerOnly = Sample();
  ownerOnly.encrypted = true;
  PdfDocumentInformation opened =
      source.ReadPdfInformation(dir.Write("owner.pdf", MakePdf(ownerOnly)));
  ASSERT_EQ(opened.status, Status::Read);
  EXPECT_EQ(opened.title, plain.title);
  EXPECT_NE(opened.xmp.find("xmp subject"), std::string::npos);

  PdfContent locked = Sample();
  locked.encrypted = true;
  locked.userPassword = "secret";
  EXPECT_EQ(source.ReadPdfInformation(dir.Write("locked.pdf", MakePdf(locked))).status,
            Status::PasswordProtected);

  // A metadata stream that inflates past the limit is left out, the rest read.
  PdfContent bomb = Sample();
  bomb.xmp = std::string(kMetadataPartLimit + 1, ' ');
  bomb.deflateXmp = true;
  PdfDocumentInformation big = source.ReadPdfInformation(dir.Write("bomb.pdf", MakePdf(bomb)));
  ASSERT_EQ(big.status, Status::Read);
  EXPECT_EQ(big.xmp, "");
  EXPECT_EQ(big.author, "Jos\xE9");
}

TEST(QpdfInformationSource, DamagedFilesAreRebuiltOrSaidToBeDamaged) {
  testsupport::TempDir dir;
  QpdfInformationSource source;
  std::string whole = MakePdf(Sample());

  // Without its cross-reference table the file is rebuilt from its objects.
  std::string noTable = whole.substr(0, whole.rfind("xref"));
  PdfDocumentInformation rebuilt = source.ReadPdfInformation(dir.Write("t.pdf", noTable));
  EXPECT_EQ(rebuilt.status, Status::Read);
  EXPECT_EQ(rebuilt.author, "Jos\xE9");

  for (const std::string& bytes : {std::string("%PDF-1.7\n"), whole.substr(0, whole.size() / 3),
                                   std::string("%PDF-1.4\n1 0 obj << /Type /Catalog")}) {
    PdfDocumentInformation damaged = source.ReadPdfInformation(dir.Write("d.pdf", bytes));
    EXPECT_EQ(damaged.status, Status::Damaged);
    EXPECT_NE(damaged.damage, "");
  }
  EXPECT_EQ(source.ReadPdfInformation(dir.path() + "/missing.pdf").status, Status::Damaged);
}

TEST(QpdfInformationSource, TheReaderGivesARecordOrSaysWhyNotInWords) {
  testsupport::TempDir dir;
  MsoleSummarySource ole;
  ZipPackageSource packages(ole.Document());
  QpdfInformationSource pdf(ole.Document());
  fakes::RecordingReporter reporter;
  DocumentReader reader(ole, reporter, RegionalFormats{}, 9 * 3600);
  reader.ReadNewerFormats(packages, &pdf);

  EXPECT_EQ(reader.ReadDocumentRecord(dir.Write("a.pdf", MakePdf(Sample()))),
            "a.pdf;報告;2024/03/05 10:20:30;xmp subject;José;;;;;;2023/12/25 0:30:45;");
  PdfContent locked = Sample();
  locked.encrypted = true;
  locked.userPassword = "secret";
  EXPECT_EQ(reader.ReadDocumentRecord(dir.Write("locked.pdf", MakePdf(locked))), "");
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_NE(reporter.messages[0].find(kMsgPasswordProtected), std::string::npos);
}

// Structure streams that inflate far beyond the file, or declare more
// than they hold, are refused before qpdf decodes them; the same shapes
// of a fair size read as any file.
TEST(QpdfInformationSource, StructureStreamsBeyondTheirBudgetAreRefusedUnread) {
  testsupport::TempDir dir;
  QpdfInformationSource source;
  struct Case {
    const char* name;
    std::string bytes;
  };
  for (const Case& bomb : {
           Case{"object stream, 64 MB", testsupport::ObjectStreamBombPdf(64 << 20, 1)},
           Case{"object stream deflated twice, 128 MB",
                testsupport::ObjectStreamBombPdf(std::uint64_t{128} << 20, 2)},
           Case{"cross-reference stream claiming 10^8 entries",
                testsupport::CrossReferenceClaimPdf(100'000'000)},
           Case{"cross-reference stream of 2,000,000 entries",
                testsupport::CrossReferenceBombPdf(2'000'000)},
       }) {
    SCOPED_TRACE(bomb.name);
    EXPECT_LT(bomb.bytes.size(), 200'000u);
    PdfDocumentInformation read = source.ReadPdfInformation(dir.Write("bomb.pdf", bomb.bytes));
    EXPECT_EQ(read.status, Status::Damaged);
    EXPECT_EQ(read.damage, kMsgStructureTooLarge);
  }
  PdfDocumentInformation fair = source.ReadPdfInformation(
      dir.Write("fair.pdf", testsupport::ObjectStreamBombPdf(200'000, 2)));
  EXPECT_EQ(fair.status, Status::Read);
  EXPECT_EQ(fair.title, "Bomb");
  EXPECT_EQ(source.ReadPdfInformation(dir.Write("x.pdf", testsupport::CrossReferenceBombPdf(5000)))
                .status,
            Status::Read);
  PdfContent streams = Sample();
  streams.objectStreams = true;
  streams.pages = 30;
  PdfDocumentInformation real = source.ReadPdfInformation(dir.Write("real.pdf", MakePdf(streams)));
  EXPECT_EQ(real.status, Status::Read);
  EXPECT_EQ(real.author, "Jos\xE9");
}

// An information dictionary qpdf gives up on (nested deeper than it
// goes) is said, not passed over in silence; a shallower one is read.
TEST(QpdfInformationSource, AnInformationDictionaryNestedTooDeepIsSaid) {
  testsupport::TempDir dir;
  QpdfInformationSource source;
  PdfDocumentInformation shallow =
      source.ReadPdfInformation(dir.Write("shallow.pdf", testsupport::DeeplyNestedPdf(100)));
  EXPECT_EQ(shallow.title, "Deep");
  EXPECT_EQ(shallow.leftOut, "");
  PdfDocumentInformation deep =
      source.ReadPdfInformation(dir.Write("deep.pdf", testsupport::DeeplyNestedPdf(600)));
  EXPECT_EQ(deep.status, Status::Read);
  EXPECT_EQ(deep.title, std::nullopt);
  EXPECT_NE(deep.leftOut.find("入れ子が深すぎる"), std::string::npos);

  MsoleSummarySource ole;
  ZipPackageSource packages(ole.Document());
  QpdfInformationSource pdf(ole.Document());
  fakes::RecordingReporter reporter;
  DocumentReader reader(ole, reporter, RegionalFormats{}, 0);
  reader.ReadNewerFormats(packages, &pdf);
  EXPECT_EQ(reader.ReadDocumentRecord(dir.File("deep.pdf")), "deep.pdf;;;;;;;;;;;");
  ASSERT_EQ(reporter.leftOut.size(), 1u);
  EXPECT_EQ(reporter.leftOut[0], dir.File("deep.pdf") + ": " + deep.leftOut);
}

// A read that passes its deadline stops wherever qpdf is and says so.
TEST(QpdfInformationSource, AReadPastItsDeadlineStopsAndSaysSo) {
  testsupport::TempDir dir;
  QpdfInformationSource late(std::make_shared<OpenedDocument>(), std::chrono::milliseconds(0));
  PdfDocumentInformation read = late.ReadPdfInformation(dir.Write("a.pdf", MakePdf(Sample())));
  EXPECT_EQ(read.status, Status::Damaged);
  EXPECT_EQ(read.damage, TooLongMessage(std::chrono::milliseconds(0)));
  EXPECT_EQ(read.title, std::nullopt);
  EXPECT_EQ(TooLongMessage(kPdfReadDeadline),
            "読み取りに時間がかかりすぎるため中止しました (10 秒)");
}

// The kept inputs of the PDF fuzzer: real-looking files read as they
// should, the rest to a defined outcome.
TEST(QpdfInformationSource, EveryKeptFuzzInputReadsToADefinedOutcome) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "pdf";
  QpdfInformationSource source;
  int replayed = 0;
  for (const std::filesystem::path& input : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(input.filename().string());
    PdfDocumentInformation info = source.ReadPdfInformation(input.string());
    PackageRecord record = PdfRecord(info, "f.pdf", RegionalFormats{}, 0);
    EXPECT_TRUE(record.passwordProtected || !record.damage.empty() || !record.line.empty());
    ++replayed;
  }
  EXPECT_GE(replayed, 3);
  PackageRecord read = PdfRecord(source.ReadPdfInformation((folder / "info-and-xmp.pdf").string()),
                                 "f.pdf", RegionalFormats{}, 0);
  EXPECT_EQ(read.line, "f.pdf;報告;2024/01/01;AB;José;k1, k2;;;;;2023/12/24 6:30:45;");
  EXPECT_EQ(source.ReadPdfInformation((folder / "shift-jis-title.pdf").string()).title,
            "\x95\xF1\x8D\x90");
  EXPECT_EQ(source.ReadPdfInformation((folder / "locked.pdf").string()).status,
            Status::PasswordProtected);
}

}  // namespace
}  // namespace catalogue
