#include "printing/core/PdfNames.h"

#include <gtest/gtest.h>
#include <set>

namespace printing {
namespace {

TEST(PdfNames, ATimeStampedNameThatNeverReplacesAnEarlierPrintout) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 7;
  local.tm_hour = 9;
  local.tm_min = 5;
  local.tm_sec = 3;
  EXPECT_EQ(TimestampedPdfName(local), "print-20261207-090503.pdf");

  std::set<std::string> taken;
  auto exists = [&](const std::string& path) { return taken.count(path) > 0; };
  EXPECT_EQ(FirstFreePath("/p/print", "a.pdf", exists), "/p/print/a.pdf");
  taken = {"/p/print/a.pdf", "/p/print/a-2.pdf"};
  EXPECT_EQ(FirstFreePath("/p/print/", "a.pdf", exists), "/p/print/a-3.pdf");
  taken = {"d/noext"};
  EXPECT_EQ(FirstFreePath("d", "noext", exists), "d/noext-2");
  taken = {"d/.pdf"};
  EXPECT_EQ(FirstFreePath("d", ".pdf", exists), "d/.pdf-2");
}

}  // namespace
}  // namespace printing
