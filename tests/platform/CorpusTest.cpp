// Every document of the shared corpus of real files must give exactly the
// record line and the kind of message listed in its expected.tsv.

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue/core/DocumentReader.h"
#include "platform/ole/MsoleSummarySource.h"
#include "tests/catalogue/FakeDocuments.h"

namespace platform {
namespace {

using namespace catalogue;

struct Row {
  std::string file;
  std::string outcome;
  std::string line;
};

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
    EXPECT_EQ(reader.ReadDocumentRecord(corpus + "/" + row.file), row.line);
    EXPECT_TRUE(MessagesFit(row.outcome, reporter.messages))
        << row.outcome << ": " << (reporter.messages.empty() ? "(none)" : reporter.messages[0]);
    if (row.outcome == "OK") {
      std::ifstream raw(corpus + "/expected/" + row.file + ".line", std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
      EXPECT_EQ(bytes, row.line);
    }
  }
}

}  // namespace
}  // namespace platform
