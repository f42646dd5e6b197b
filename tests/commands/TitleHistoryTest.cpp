#include "commands/core/TitleHistory.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <thread>

#include "tests/support/TempDir.h"

namespace commands {
namespace {

using Entries = std::vector<std::string>;
using testsupport::ReadAll;

TEST(TitleHistory, UseMovesToTheFrontAndKeepsTheStoredCase) {
  TitleHistory history(Entries{"Weekly", "Annual Report", "Memo"});
  EXPECT_EQ(history.Use("annual REPORT"), "Annual Report");
  EXPECT_EQ(history.Entries(), (Entries{"Annual Report", "Weekly", "Memo"}));
  EXPECT_EQ(history.Use("New one"), std::nullopt);
  EXPECT_EQ(history.Entries(), (Entries{"New one", "Annual Report", "Weekly", "Memo"}));
  // An empty text is not remembered.
  EXPECT_EQ(history.Use(""), std::nullopt);
  EXPECT_EQ(history.Entries().size(), 4u);
}

TEST(TitleHistory, CaseBlindnessNeverFoldsTheSecondByteOfAKanaOrKanji) {
  // ア is 83 41 and ャ is 83 61: "A" and "a" as second bytes.
  EXPECT_FALSE(SameIgnoringCase("\x83\x41", "\x83\x61"));
  EXPECT_TRUE(SameIgnoringCase("\x83\x41x", "\x83\x41X"));
  EXPECT_FALSE(SameIgnoringCase("ab", "abc"));
}

TEST(TitleHistory, ThirtyEntriesAtMostAndOneRemovedPerUse) {
  Entries thirty;
  for (int i = 0; i < 30; ++i) {
    thirty.push_back("t" + std::to_string(i));
  }
  TitleHistory history(thirty);
  history.Use("new");
  EXPECT_EQ(history.Entries().size(), 30u);
  EXPECT_EQ(history.Entries().front(), "new");
  EXPECT_EQ(history.Entries().back(), "t28");  // the oldest went

  Entries forty;
  for (int i = 0; i < 40; ++i) {
    forty.push_back("t" + std::to_string(i));
  }
  TitleHistory longer(forty);
  longer.Use("t5");
  EXPECT_EQ(longer.Entries().size(), 39u);
  longer.Use("other");
  EXPECT_EQ(longer.Entries().size(), 39u);  // one in, one out
}

TEST(TitleHistory, FileLinesInAnyBreakAndSavedWithCrLf) {
  testsupport::TempDir dir;
  std::string path = dir.File(kTitleHistoryFileName);
  EXPECT_TRUE(TitleHistory::Load(path).Entries().empty());
  dir.Write(kTitleHistoryFileName, "first\r\n\r\nthird\rfourth\nfifth");
  TitleHistory history = TitleHistory::Load(path);
  EXPECT_EQ(history.Entries(), (Entries{"first", "", "third", "fourth", "fifth"}));
  history.Use("\x95\x5C");
  history.Save(path);
  EXPECT_EQ(testsupport::ReadAll(path), "\x95\x5C\r\nfirst\r\n\r\nthird\r\nfourth\r\nfifth\r\n");
  TitleHistory().Save(path);
  EXPECT_EQ(testsupport::ReadAll(path), "");
}

TEST(TitleHistory, TwoInstancesExitingKeepEachOthersNewTitles) {
  testsupport::TempDir dir;
  std::string path = dir.Write("titlelist.DAT", "Old one\r\nOld two\r\n");
  TitleHistory first = TitleHistory::Load(path);
  TitleHistory second = TitleHistory::Load(path);
  first.Use("First's title");
  second.Use("Second's title");
  second.Use("old TWO");  // an old entry used again, in another spelling
  first.SaveMerged(path);
  second.SaveMerged(path);
  EXPECT_EQ(ReadAll(path), "Old two\r\nSecond's title\r\nFirst's title\r\nOld one\r\n");
  // Unused, the history leaves the file as the other instance wrote it.
  TitleHistory third = TitleHistory::Load(dir.Write("other.DAT", "A\r\n"));
  dir.Write("other.DAT", "B\r\nA\r\n");
  third.SaveMerged(dir.File("other.DAT"));
  EXPECT_EQ(ReadAll(dir.File("other.DAT")), "B\r\nA\r\n");
}

TEST(TitleHistory, AMergeKeepsThirtyOrTheFilesOwnLongerCount) {
  std::vector<std::string> thirty;
  for (int i = 0; i < 30; ++i) {
    thirty.push_back("t" + std::to_string(i));
  }
  TitleHistory mine(thirty);
  mine.Use("new");
  TitleHistory merged = mine.MergedWith(TitleHistory(thirty));
  ASSERT_EQ(merged.Entries().size(), 30u);
  EXPECT_EQ(merged.Entries().front(), "new");
  EXPECT_EQ(merged.Entries().back(), "t28");
  std::vector<std::string> forty = thirty;
  for (int i = 30; i < 40; ++i) {
    forty.push_back("t" + std::to_string(i));
  }
  EXPECT_EQ(mine.MergedWith(TitleHistory(forty)).Entries().size(), 40u);
}

// Two instances ending at the same moment, fifty times over: each one's
// title is kept, whichever writes last.
TEST(TitleHistory, TwoInstancesEndingTogetherKeepBothTitles) {
  testsupport::TempDir dir;
  std::string path = dir.File(kTitleHistoryFileName);
  for (int round = 0; round < 50; ++round) {
    dir.Write(kTitleHistoryFileName, "old\r\n");
    TitleHistory first = TitleHistory::Load(path);
    TitleHistory second = TitleHistory::Load(path);
    first.Use("first " + std::to_string(round));
    second.Use("second " + std::to_string(round));
    std::thread a([&] { first.SaveMerged(path); });
    std::thread b([&] { second.SaveMerged(path); });
    a.join();
    b.join();
    std::string saved = ReadAll(path);
    ASSERT_NE(saved.find("first " + std::to_string(round) + "\r\n"), std::string::npos) << round;
    ASSERT_NE(saved.find("second " + std::to_string(round) + "\r\n"), std::string::npos) << round;
    ASSERT_NE(saved.find("old\r\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace commands
