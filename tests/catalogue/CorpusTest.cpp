// Every document of the shared corpus of real files must give exactly the
// record line and the kind of message listed in its expected.tsv. The lines
// there are the Shift-JIS output (a character code page 932 lacks as "?");
// the record itself keeps every character, so where the expected line holds
// no "?" the record is that line, in UTF-8.

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/ole/MsoleSummarySource.h"
#include "catalogue/ole/ZipPackageSource.h"
#include "catalogue/scan/DocumentScan.h"
#include "platform/text/Cp932.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

using namespace catalogue;

struct Row {
  std::string file;
  std::string outcome;
  std::string line;
};

// A record (UTF-8) against its expected Shift-JIS line.
void ExpectRecord(const std::string& record, const std::string& expected) {
  EXPECT_EQ(platform::Utf8ToCp932(record), expected);
  if (expected.find('?') == std::string::npos) {
    EXPECT_EQ(record, platform::DecodeCp932(expected));
  }
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

std::vector<Row> LoadRows(const std::string& tsv) {
  std::vector<Row> rows;
  std::ifstream in(tsv);
  std::string text;
  std::getline(in, text);  // heading
  while (std::getline(in, text)) {
    std::stringstream fields(text);
    Row row;
    std::string hex;
    std::getline(fields, row.file, '\t');
    std::getline(fields, row.outcome, '\t');
    std::getline(fields, hex, '\t');
    row.line = FromHex(hex);
    rows.push_back(row);
  }
  return rows;
}

// Whether the messages shown fit the outcome the corpus lists.
bool MessagesFit(const std::string& outcome, const std::vector<std::string>& messages) {
  auto single = [&](const std::string& prefix) {
    return messages.size() == 1 && messages[0].rfind(prefix, 0) == 0;
  };
  if (outcome == "OK" || outcome == "NONE") {
    return messages.empty();
  }
  if (outcome == "NOTFOUND") {
    return single(kMsgFileNotFound) && messages[0] == kMsgFileNotFound;
  }
  if (outcome == "UNSUPPORTED") {
    return single(kMsgUnsupportedFile) && messages[0] == kMsgUnsupportedFile;
  }
  if (outcome == "OPENERROR") {
    return single(std::string(kMsgStorageOpenError) + "\r\nHResult = $8003");
  }
  if (outcome == "NOSET") {
    return single(std::string(kMsgSetOpenError) + "\r\nHResult = $8003");
  }
  return false;
}

TEST(Corpus, EveryRealDocumentGivesItsExpectedLineAndMessage) {
  std::string corpus = std::string(QUILL_SHARED_DIR) + "/corpus";
  if (!std::filesystem::exists(corpus + "/expected.tsv")) {
    GTEST_SKIP() << "no corpus at " << corpus;
  }
  std::vector<Row> rows = LoadRows(corpus + "/expected.tsv");
  ASSERT_GT(rows.size(), 50u);
  MsoleSummarySource source;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    fakes::RecordingReporter reporter;
    DocumentReader reader(source, reporter, RegionalFormats{}, 0);  // the corpus is in UTC
    ExpectRecord(reader.ReadDocumentRecord(corpus + "/" + row.file), row.line);
    EXPECT_TRUE(MessagesFit(row.outcome, reporter.messages))
        << row.outcome << ": " << (reporter.messages.empty() ? "(none)" : reporter.messages[0]);
    if (row.outcome == "OK") {
      std::ifstream raw(corpus + "/expected/" + row.file + ".line", std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
      EXPECT_EQ(bytes, row.line);
    }
  }
}

// With the newer formats read too, the Word 2007+ and RTF documents of the
// corpus give their information, and so do the summary sets only the lenient
// reading takes; every other document gives what it gave.
TEST(Corpus, WithTheNewerFormatsTheirDocumentsAreReadAndTheRestUnchanged) {
  std::string corpus = std::string(QUILL_SHARED_DIR) + "/corpus";
  if (!std::filesystem::exists(corpus + "/expected.tsv")) {
    GTEST_SKIP() << "no corpus at " << corpus;
  }
  const std::map<std::string, std::string> newer = {
      {"fess-test.docx",
       "fess-test.docx;\x82\xbd\x82\xa2\x82\xc6\x82\xe9;2012/05/18 22:44:00;"
       "\x82\xb3\x82\xd4\x82\xbd\x82\xa2\x82\xc6\x82\xe9;\x91\xbe\x98\x59;"
       "\x82\xbd\x82\xae;\x82\xb1\x82\xdf\x82\xf1\x82\xc6;sugaya;2;;2010/07/22 0:21:00;"},
      {"nwe-test01.docx",
       "nwe-test01.docx;;2021/05/16 15:37:00;;Stuart Watt;;;Stuart Watt;2;;2021/05/16 15:37:00;"},
      {"fess-test.rtf",
       "fess-test.rtf;\x83\x5e\x83\x43\x83\x67\x83\x8b;2010/10/08 14:19:00;;shinsuke;;;"
       "shinsuke;2;;2010/10/08 14:18:00;"},
      {"tika-testRTF-ms932.rtf",
       "tika-testRTF-ms932.rtf;\x83\x5e\x83\x43\x83\x67\x83\x8b;2010/10/10 6:59:00;;"
       "shinsuke;;;shinsuke;4;;2010/10/08 14:18:00;"},
      {"tika-testRTF.rtf",
       "tika-testRTF.rtf;Test d\x81\x66indexation Word;2006/05/18 12:19:00;;Bibliotheque;;;"
       "Bibliotheque;2;;2006/05/18 12:19:00;"},
      {"poi-message.rtf", "poi-message.rtf;;;;;;;;;;;"},  // no information group
  };
  // Read leniently, summary sets of Unicode strings and a swapped section
  // identifier give their values; files without summary properties say so.
  const std::map<std::string, std::string> lenient = {
      {"nwe-test11.doc", "nwe-test11.doc;;2016/08/17 0:55:39;;pc;;;pc;1;;2014/10/29 12:08:00;"},
      {"poi-44770.ppt", "poi-44770.ppt;PowerPoint Presentation;;;;;;Paul Nguyen;;;;"},
      {"poi-TestInvertedClassID.doc",
       "poi-TestInvertedClassID.doc; ;2003/06/06 11:22:00;;DIH-Collecticiel;;;DIH-Collecticiel;78;"
       "2003/06/06 11:21:00;2003/06/05 10:10:00;"},
      {"poi-TestNon4ByteBoundary.doc",
       "poi-TestNon4ByteBoundary.doc;;2012/11/21 9:21:00;;;;;sdd;20;2005/07/15 15:15:00;"
       "2010/07/02 10:20:00;"},
  };
  const std::set<std::string> withoutSummary = {"poi-quick.msg", "poi-test.doc"};
  MsoleSummarySource source;
  ZipPackageSource packages;
  std::size_t seen = 0;
  for (const Row& row : LoadRows(corpus + "/expected.tsv")) {
    SCOPED_TRACE(row.file);
    fakes::RecordingReporter reporter;
    DocumentReader reader(source, reporter, RegionalFormats{}, 0);
    reader.ReadNewerFormats(packages);
    std::string line = reader.ReadDocumentRecord(corpus + "/" + row.file);
    if (auto it = newer.find(row.file); it != newer.end()) {
      ++seen;
      ExpectRecord(line, it->second);
      EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0];
    } else if (auto read = lenient.find(row.file); read != lenient.end()) {
      ++seen;
      EXPECT_EQ(line, read->second);
      EXPECT_TRUE(reporter.messages.empty()) << reporter.messages[0];
    } else if (withoutSummary.count(row.file) != 0) {
      ++seen;
      EXPECT_EQ(line, "");
      EXPECT_EQ(reporter.messages, std::vector<std::string>{kMsgNoSummaryProperties});
    } else {
      ExpectRecord(line, row.line);
      EXPECT_TRUE(MessagesFit(row.outcome, reporter.messages));
    }
  }
  EXPECT_EQ(seen, newer.size() + lenient.size() + withoutSummary.size());
}

// A folder of the documents whose values all fit code page 932 (their
// expected lines hold no "?") is listed byte for byte as it always was; the
// whole corpus, which holds values code page 932 lacks, in UTF-8 after the
// mark, each line the expected one once written in code page 932.
TEST(Corpus, TheListIsCodePage932ByteForByteWhereEveryValueFitsIt) {
  std::string corpus = std::string(QUILL_SHARED_DIR) + "/corpus";
  if (!std::filesystem::exists(corpus + "/expected.tsv")) {
    GTEST_SKIP() << "no corpus at " << corpus;
  }
  std::map<std::string, std::string> lineOf;
  testsupport::TempDir fitting;
  for (const Row& row : LoadRows(corpus + "/expected.tsv")) {
    lineOf[row.file] = row.line;
    if (row.line.find('?') == std::string::npos &&
        std::filesystem::is_regular_file(corpus + "/" + row.file)) {
      std::filesystem::copy_file(corpus + "/" + row.file, fitting.File(row.file));
    }
  }
  MsoleSummarySource source;
  fakes::RecordingReporter reporter;
  DocumentReader reader(source, reporter, RegionalFormats{}, 0);
  testsupport::TempDir out;
  auto scan = [&](const std::string& folder) {
    std::vector<std::string> names = ListDocumentFiles(folder);
    ListFileWriter writer(out.File("list"));
    ScanDocuments(folder, names, reader, writer);
    writer.Commit();
    return names;
  };
  std::vector<std::string> names = scan(fitting.path());
  ASSERT_GT(names.size(), 50u);
  std::string expected;
  for (const std::string& name : names) {
    expected += lineOf.at(name) + "\r\n";
  }
  EXPECT_EQ(testsupport::ReadAll(out.File("list")), expected);

  names = scan(corpus);
  std::optional<std::vector<std::string>> lines = ReadListFile(out.File("list"));
  ASSERT_TRUE(lines && lines->size() == names.size());
  EXPECT_EQ(testsupport::ReadAll(out.File("list")).substr(0, 3), kUtf8ListMark);
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(platform::Utf8ToCp932((*lines)[i]), lineOf.at(names[i])) << names[i];
  }
}

// Documents whose values code page 932 lacks keep every character.
TEST(Corpus, CharactersCodePage932LacksAreKept) {
  std::string corpus = std::string(QUILL_SHARED_DIR) + "/corpus";
  if (!std::filesystem::exists(corpus + "/poi-52420.doc")) {
    GTEST_SKIP() << "no corpus at " << corpus;
  }
  MsoleSummarySource source;
  fakes::RecordingReporter reporter;
  DocumentReader reader(source, reporter, RegionalFormats{}, 0);
  std::string line = reader.ReadDocumentRecord(corpus + "/poi-52420.doc");
  EXPECT_NE(line.find("Міністэрства адукацыі Рэспублікі Беларусь"), std::string::npos) << line;
  line = reader.ReadDocumentRecord(corpus + "/poi-64132.doc");
  EXPECT_NE(line.find("CONCURSO PÚBLICO"), std::string::npos) << line;
}

}  // namespace
}  // namespace catalogue
