#include "catalogue/core/DocumentReader.h"

#include <gtest/gtest.h>

#include "catalogue/core/DocumentRecord.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/PropertySetBuilder.h"

namespace catalogue {
namespace {

using fakes::FailedOpen;
using fakes::FakeSource;
using fakes::RecordingReporter;
using fakes::StreamOf;
using testsupport::PropertySetBuilder;

struct ReaderFixture : ::testing::Test {
  FakeSource source;
  RecordingReporter reporter;
  DocumentReader reader{source, reporter, RegionalFormats{}, 9 * 3600};

  std::string Read(const std::string& path = "/docs/a.doc") {
    return reader.ReadDocumentRecord(path);
  }
};

TEST_F(ReaderFixture, BuildsTheLineOfAReadableDocument) {
  source.files["/docs/a.doc"] =
      StreamOf(PropertySetBuilder()
                   .CodePage(932)
                   .Lpstr(2, "\x95\x5C")
                   .FileTime(12, testsupport::FileTimeOfUtc(2004, 5, 5, 15, 0, 0))
                   .Build());
  EXPECT_EQ(Read(), "a.doc;表;;;;;;;;;2004/05/06;");
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(ReaderFixture, AValueOfMegabytesIsCutToTheLimitAndNotedOnce) {
  std::string huge(3000000, 'T');
  source.files["/docs/a.doc"] = StreamOf(
      PropertySetBuilder().CodePage(932).Lpstr(2, huge).Lpstr(3, huge).Lpstr(4, "Ann").Build());
  std::string line = Read();
  EXPECT_EQ(line, "a.doc;" + std::string(kRecordFieldLimit, 'T') + ";;" +
                      std::string(kRecordFieldLimit, 'T') + ";Ann;;;;;;;");
  EXPECT_EQ(reporter.cut, std::vector<std::string>{"/docs/a.doc"});
  EXPECT_TRUE(reporter.messages.empty());  // it was read
}

TEST_F(ReaderFixture, ReportsEachStorageFailureAndGivesAnEmptyLine) {
  source.files["/docs/b.rtf"] = FailedOpen(kSTG_E_FILEALREADYEXISTS);
  source.files["/docs/c.doc"] = FailedOpen(kSTG_E_ACCESSDENIED);
  source.files["/docs/d.doc"] = FailedOpen(kSTG_E_DOCFILECORRUPT);
  EXPECT_EQ(Read("/docs/missing.doc"), "");
  EXPECT_EQ(Read("/docs/b.rtf"), "");
  EXPECT_EQ(Read("/docs/c.doc"), "");
  EXPECT_EQ(Read("/docs/d.doc"), "");
  EXPECT_EQ(reporter.messages,
            (std::vector<std::string>{"ファイルが見つかりません", "未対応ファイルです",
                                      "Error StgOpenStorage\r\nHResult = $80030005",
                                      "Error StgOpenStorage\r\nHResult = $80030109"}));
}

TEST_F(ReaderFixture, ReportsASetThatCannotBeOpened) {
  SummaryStream noSet;
  noSet.setCode = kSTG_E_FILENOTFOUND;
  source.files["/docs/a.doc"] = noSet;
  source.files["/docs/bad.doc"] = StreamOf("not a property set at all, but long enough to try");
  EXPECT_EQ(Read(), "");
  EXPECT_EQ(Read("/docs/bad.doc"), "");
  EXPECT_EQ(reporter.messages,
            (std::vector<std::string>{"Error PropSetStg.Open\r\nHResult = $80030002",
                                      "Error PropSetStg.Open\r\nHResult = $800300FB"}));
}

TEST_F(ReaderFixture, SetWithoutSummaryValuesGivesAnEmptyLineSilently) {
  source.files["/docs/a.doc"] = StreamOf(PropertySetBuilder().CodePage(932).Build());
  source.files["/docs/e.doc"] = StreamOf("");
  EXPECT_EQ(Read(), "");
  EXPECT_EQ(Read("/docs/e.doc"), "");
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace catalogue
