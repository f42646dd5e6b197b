#include "commands/core/TitleHistory.h"

#include <gtest/gtest.h>

#include <filesystem>
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

TEST(TitleHistory, CaseBlindnessFoldsOnlyAsciiLetters) {
  EXPECT_TRUE(SameIgnoringCase("\xC3\xA9t\xC3\xA9 A", "\xC3\xA9t\xC3\xA9 a"));  // été
  EXPECT_FALSE(SameIgnoringCase("\xC3\xA9", "\xC3\x89"));                       // é, É
  EXPECT_FALSE(SameIgnoringCase("\xEF\xBC\xA1", "\xEF\xBD\x81"));               // Ａ, ａ
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
  history.Use("\xE8\xA1\xA8");  // 表, whose second byte in code page 932 is "\\"
  history.Save(path);
  EXPECT_EQ(testsupport::ReadAll(path), "\x95\x5C\r\nfirst\r\n\r\nthird\r\nfourth\r\nfifth\r\n");
  TitleHistory().Save(path);
  EXPECT_EQ(testsupport::ReadAll(path), "");
}

// Titles code page 932 lacks come back whole; while every title fits, the
// file is what it always was and nothing is beside it.
TEST(TitleHistory, EveryCharacterComesBackAndFittingTitlesAreWrittenAsAlways) {
  testsupport::TempDir dir;
  std::string path = dir.File(kTitleHistoryFileName);
  std::string wholePath = path + kWholeTitlesSuffix;
  const Entries titles = {
      "Rapport \xC3\xA9 2026 \xE7\x9B\xAE\xE9\x8C\xB2",                 // Rapport é 2026 目録
      "\xE5\xA0\xB1\xE5\x91\x8A_\xEA\xB9\x80\xEB\xAF\xBC\xEC\x88\x98",  // 報告_김민수
      "\xF0\xA0\xAE\xB7",                                               // 𠮷
      "Rapport \xC3\xA8 2026 \xE7\x9B\xAE\xE9\x8C\xB2",  // è: the same stand-in as é
      "plain",
      "two\r\nlines \xC3\xA9 100%",  // a line break and a "%" in a title
  };
  TitleHistory(titles).Save(path);
  EXPECT_EQ(TitleHistory::Load(path).Entries(), titles);
  EXPECT_NE(ReadAll(wholePath).find("two%0D%0Alines \xC3\xA9 100%25\r\n"), std::string::npos);
  // What a reader of the one file sees: "?" where a character is missing.
  EXPECT_EQ(ReadAll(path).substr(0, 23), "Rapport ? 2026 \x96\xDA\x98\x5E\r\n\x95\xF1");

  // A program that knows only the one file rewrites it: its lines are
  // read as it wrote them, the whole titles only where their stand-ins are.
  dir.Write(kTitleHistoryFileName, "New\r\n?\r\nRapport ? 2026 \x96\xDA\x98\x5E\r\n");
  EXPECT_EQ(TitleHistory::Load(path).Entries(), (Entries{"New", "\xF0\xA0\xAE\xB7", titles[0]}));

  // Fitting titles again: the file as always, and no second file.
  TitleHistory(Entries{"plain", "\xE7\x9B\xAE\xE9\x8C\xB2"}).Save(path);
  EXPECT_EQ(ReadAll(path), "plain\r\n\x96\xDA\x98\x5E\r\n");
  EXPECT_FALSE(std::filesystem::exists(wholePath));

  // Bytes that are not code page 932 are shown marked and written back as
  // they were.
  dir.Write(kTitleHistoryFileName, "bad \x81\x20\r\nok\r\n");
  TitleHistory read = TitleHistory::Load(path);
  EXPECT_EQ(read.Entries()[0].substr(0, 4), "bad ");
  read.Use("ok");
  read.Save(path);
  EXPECT_EQ(ReadAll(path), "ok\r\nbad \x81\x20\r\n");
  EXPECT_FALSE(std::filesystem::exists(wholePath));
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
