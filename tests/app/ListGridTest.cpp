#include "app/core/ListGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "app/core/ColumnWidths.h"
#include "platform/files/ProgramPaths.h"
#include "tests/support/TempDir.h"

namespace app {
namespace {

TEST(ListGrid, TheDesignedLayoutAndRowsThatGrowWithTheFont) {
  std::vector<int> widths = DesignedColumnWidths();
  ASSERT_EQ(widths.size(), 11u);
  EXPECT_EQ(widths[0], 146);
  EXPECT_EQ(widths[1], 202);
  EXPECT_EQ(widths[10], 100);
  EXPECT_EQ(DesignedColumnWidth(11), 0);
  // The designed 12-pixel font (14-pixel lines) keeps the designed 17
  // pixels; a larger font's lines fit whole.
  EXPECT_EQ(ListGridRowHeight(14), 17);
  EXPECT_EQ(ListGridRowHeight(8), 17);
  EXPECT_EQ(ListGridRowHeight(23), 26);
}

TEST(ColumnWidths, AreReadLineByLine) {
  std::vector<int> widths = DesignedColumnWidths();
  ApplyColumnWidthText(
      "[Version]=1.00\r\n[ColWidths[3]]=abc\r\n[colwidths[4]]=50\r\n"
      "[ColWidths[10]]=77\r\n[ColWidths[10]]=88\r\nnonsense\r\n[ColWidths[11]]=5\n",
      widths);
  EXPECT_EQ(widths[3], 100);  // not a number
  EXPECT_EQ(widths[4], 122);  // key in other letter case: ignored
  EXPECT_EQ(widths[10], 88);  // the later line wins
  EXPECT_EQ(widths[0], 146);

  std::vector<int> single = DesignedColumnWidths();
  ApplyColumnWidthText("[ColWidths[10]]=42", single);
  for (int col = 0; col < 10; ++col) {
    EXPECT_EQ(single[static_cast<std::size_t>(col)], DesignedColumnWidth(col));
  }
  EXPECT_EQ(single[10], 42);
  // Columns missing from what is given take their designed widths.
  std::vector<int> none;
  ApplyColumnWidthText("[ColWidths[2]]=60", none);
  ASSERT_EQ(none.size(), 11u);
  EXPECT_EQ(none[2], 60);
  EXPECT_EQ(none[5], 100);
}

TEST(ColumnWidths, AreSavedAsTwelveLinesAndReadBack) {
  testsupport::TempDir dir;
  std::string path = dir.File(platform::kColumnWidthFileName);
  std::vector<int> widths = DesignedColumnWidths();
  LoadColumnWidths(path, widths);  // missing: designed widths stay
  EXPECT_EQ(widths[0], 146);
  widths[0] = 200;
  SaveColumnWidths(path, widths);
  std::string text = testsupport::ReadAll(path);
  EXPECT_EQ(text.substr(0, 38), "[Version]=1.00\r\n[ColWidths[0]]=200\r\n[C");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
  std::vector<int> again = DesignedColumnWidths();
  LoadColumnWidths(path, again);
  EXPECT_EQ(again[0], 200);
}

// Two instances ending at the same moment, fifty times over, each having
// changed one column: both changes are kept, and the columns neither
// changed keep the file's widths.
TEST(ColumnWidths, TwoInstancesEndingTogetherKeepBothChanges) {
  testsupport::TempDir dir;
  std::string path = dir.File(platform::kColumnWidthFileName);
  for (int round = 0; round < 50; ++round) {
    std::vector<int> start = DesignedColumnWidths();
    start[5] = 77;  // a width another run saved
    SaveColumnWidths(path, start);
    std::vector<int> first = DesignedColumnWidths();
    std::vector<int> second = DesignedColumnWidths();
    LoadColumnWidths(path, first);
    LoadColumnWidths(path, second);
    std::vector<int> firstLoaded = first;
    std::vector<int> secondLoaded = second;
    first[1] = 240 + round;
    second[3] = 150 + round;
    std::thread a([&] { SaveColumnWidthsMerged(path, first, firstLoaded); });
    std::thread b([&] { SaveColumnWidthsMerged(path, second, secondLoaded); });
    a.join();
    b.join();
    std::vector<int> saved = DesignedColumnWidths();
    LoadColumnWidths(path, saved);
    ASSERT_EQ(saved[1], 240 + round) << round;
    ASSERT_EQ(saved[3], 150 + round) << round;
    ASSERT_EQ(saved[5], 77);
  }
}

}  // namespace
}  // namespace app
