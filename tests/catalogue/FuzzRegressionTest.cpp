// Replays the inputs kept from fuzzing the property-set reader (odd and
// damaged sets that must each give a defined outcome) and the list-file
// reader.

#include <gtest/gtest.h>
#include <filesystem>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/core/PropertySetParser.h"
#include "tests/support/InputFiles.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

TEST(FuzzRegressions, EveryKeptInputReadsToADefinedOutcome) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "regressions";
  int replayed = 0;
  for (const std::filesystem::path& input : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(input.filename().string());
    std::string bytes = testsupport::ReadAll(input.string());
    PropertySetReadResult set = ReadSummaryProperties(bytes);
    if (set.code == kS_OK) {
      std::string line = BuildDocumentRecord(set.values, "x.doc", RegionalFormats{}, 0);
      EXPECT_GE(std::count(line.begin(), line.end(), ';'), 11);
    } else {
      EXPECT_TRUE(set.code == kS_FALSE || Failed(set.code));
    }
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

// Kept list files: every line splits into fields, and a line capped once
// holds no field over the cap.
TEST(FuzzRegressions, EveryKeptListFileSplitsAndCapsOnce) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "lists";
  int replayed = 0;
  for (const std::filesystem::path& input : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(input.filename().string());
    for (std::string& line : SplitListLines(testsupport::ReadAll(input.string()))) {
      std::string before = line;
      bool cut = CapRecordFields(line);
      EXPECT_EQ(cut, line != before);
      EXPECT_FALSE(CapRecordFields(line));
      std::string rest = line;
      for (int field = 0; field < 11; ++field) {
        EXPECT_LE(NextField(rest).size(), 4 * kRecordFieldLimit);  // four bytes a character at most
      }
    }
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace catalogue
