// Replays the inputs kept from fuzzing the property-set reader: odd and
// damaged sets that must each give a defined outcome.

#include <gtest/gtest.h>
#include <filesystem>

#include "catalogue/core/DocumentRecord.h"
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

}  // namespace
}  // namespace catalogue
