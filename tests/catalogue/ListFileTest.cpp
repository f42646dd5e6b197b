#include "catalogue/core/ListFile.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "platform/errors/UserError.h"
#include "platform/files/ProgramPaths.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

using Lines = std::vector<std::string>;

TEST(ListFileLines, EndAtLfOrCrLfDropLoneCrAndStopAtEof) {
  EXPECT_EQ(SplitListLines(""), Lines{});
  EXPECT_EQ(SplitListLines("a;\r\nb;\r\n"), (Lines{"a;", "b;"}));
  EXPECT_EQ(SplitListLines("a;\nb;"), (Lines{"a;", "b;"}));  // last line without a break
  EXPECT_EQ(SplitListLines("\r\n\r\nx\r\n"), (Lines{"", "", "x"}));
  EXPECT_EQ(SplitListLines("a\rb;\r\n"), (Lines{"ab;"}));  // lone CR dropped
  EXPECT_EQ(SplitListLines("\r"), Lines{});
  EXPECT_EQ(SplitListLines("a;\r\n\x1A"
                           "b;\r\n"),
            (Lines{"a;"}));
  EXPECT_EQ(SplitListLines("a\x1A"), (Lines{"a"}));
  // Code page 932 comes in UTF-8 (表 95 5C), a byte that is not CP932 as
  // "?"; after the mark the lines are UTF-8 already, ill-formed bytes "?".
  EXPECT_EQ(SplitListLines("\x95\x5C;\xFF\r\n"), (Lines{"表;?"}));
  EXPECT_EQ(SplitListLines("\xEF\xBB\xBF表;𠮷\xFF\r\nb;"), (Lines{"表;𠮷?", "b;"}));
  EXPECT_EQ(SplitListLines("\xEF\xBB\xBF"), Lines{});
}

TEST(ListFileLines, ReadFromAFileLineByLineAsFromItsBytes) {
  testsupport::TempDir dir;
  // Line breaks, lone CRs and the end-of-file byte on and around the edges
  // of the pieces the file is read in (64 KiB).
  std::string edge(65535, 'a');
  for (const std::string& bytes :
       {edge + "\r\nb;\r\n", edge + "\n", edge + "x\r", edge + "\r\n\x1A" + "gone\r\n",
        std::string(70000, ';') + "\n\n" + std::string(70000, 'z'), std::string("\r"),
        std::string("\x1A"), std::string("")}) {
    std::string path = dir.Write("list", bytes);
    EXPECT_EQ(ReadListFile(path), SplitListLines(bytes)) << bytes.size();
  }
  EXPECT_EQ(ReadListFile(dir.File("none")), std::nullopt);
}

TEST(ListFileLines, AFileOfTooManyLinesIsRefusedBeforeAnyIsHanded) {
  testsupport::TempDir dir;
  std::string breaks(kListLineLimit, '\n');
  std::size_t handed = 0;
  auto count = [&](std::string&&) { ++handed; };
  EXPECT_TRUE(ForEachListLine(dir.Write("full", breaks), count));
  EXPECT_EQ(handed, kListLineLimit);
  handed = 0;
  for (const std::string& over : {breaks + "x", breaks + "\n", breaks + "\r\ny"}) {
    EXPECT_THROW(ForEachListLine(dir.Write("over", over), count), platform::UserError);
    EXPECT_EQ(handed, 0u);
  }
  // What follows an end-of-file byte is no line.
  EXPECT_TRUE(ForEachListLine(dir.Write("ended", breaks + "\x1A" + "more\n"), count));
}

TEST(ListFileLines, CommentWithLineBreakBecomesTwoRecords) {
  std::string line = "a.doc;T;;;;;first\r\nsecond;L;;;;";
  Lines lines = SplitListLines(line + "\r\n");
  ASSERT_EQ(lines.size(), 2u);
  std::string rest = lines[1];
  EXPECT_EQ(NextField(rest), "second");
  EXPECT_EQ(NextField(rest), "L");
}

TEST(NextField, TakesTheTextBeforeTheFirstSemicolon) {
  std::string rest = "a;;b";
  EXPECT_EQ(NextField(rest), "a");
  EXPECT_EQ(rest, ";b");
  EXPECT_EQ(NextField(rest), "");
  EXPECT_EQ(rest, "b");
  // No ";" left: an empty field and the rest stays.
  EXPECT_EQ(NextField(rest), "");
  EXPECT_EQ(rest, "b");
}

std::vector<std::string> ElevenFields(std::string line) {
  std::vector<std::string> fields;
  for (int i = 0; i < 11; ++i) {
    fields.push_back(NextField(line));
  }
  return fields;
}

TEST(NextField, GridTailsReadLikeAPlainLine) {
  std::vector<std::string> cells = {"f", "t", "d", "s", "a", "k", "c", "l", "r", "p", "c2"};
  std::string plain = "f;t;d;s;a;k;c;l;r;p;c2;";
  EXPECT_EQ(GridRowLine(cells, ';'), plain + ";");
  EXPECT_EQ(GridRowLine(cells, ','), plain + ",");
  EXPECT_EQ(ElevenFields(plain), cells);
  EXPECT_EQ(ElevenFields(plain + ";"), cells);
  EXPECT_EQ(ElevenFields(plain + ","), cells);
  // A twelfth cell is written before the tail; missing cells are empty.
  cells.push_back("x");
  EXPECT_EQ(GridRowLine(cells, ','), plain + "x,");
  EXPECT_EQ(GridRowLine({"only"}, ';'), "only;;;;;;;;;;;;");
}

TEST(ListFileWriter, WritesCrLfLinesAndReplacesTheFileWhole) {
  testsupport::TempDir dir;
  std::string path = dir.File(platform::kListFileName);
  WriteListFile(path, {"a;", "", "表;"});
  EXPECT_EQ(testsupport::ReadAll(path), "a;\r\n\r\n\x95\x5C;\r\n");
  EXPECT_EQ(ReadListFile(path), (std::optional<Lines>(Lines{"a;", "", "表;"})));

  // A writer that is not committed leaves the old file and no temporary one.
  {
    ListFileWriter writer(path);
    writer.WriteLine("half written");
  }
  EXPECT_EQ(testsupport::ReadAll(path), "a;\r\n\r\n\x95\x5C;\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);

  EXPECT_EQ(ReadListFile(dir.File("missing")), std::nullopt);
  EXPECT_THROW(WriteListFile(dir.File("no/such/folder/list"), {"a"}), platform::UserError);
}

// A list stays code page 932 while every value fits it; the first value
// that does not makes the whole file UTF-8 after a mark, the lines before it
// included, and it reads back as written. ¥ and 〜, which code page 932
// would store as other characters, do not fit either.
TEST(ListFileWriter, AValueCodePage932LacksMakesTheWholeFileUtf8) {
  testsupport::TempDir dir;
  std::string path = dir.File(platform::kListFileName);
  for (const char* odd : {"José Müller / 김민수", "𠮷野家の報告 — Résumé ①", "¥100", "〜", "😀"}) {
    SCOPED_TRACE(odd);
    Lines lines = {"表;", "a.doc;" + std::string(odd) + ";", "", "b;"};
    WriteListFile(path, lines);
    EXPECT_EQ(testsupport::ReadAll(path),
              "\xEF\xBB\xBF表;\r\na.doc;" + std::string(odd) + ";\r\n\r\nb;\r\n");
    EXPECT_EQ(ReadListFile(path), std::optional<Lines>(lines));
  }
  // Asked for, UTF-8 whatever the lines hold.
  {
    ListFileWriter writer(path, ListEncoding::Utf8);
    writer.WriteLine("表;");
    writer.Commit();
  }
  EXPECT_EQ(testsupport::ReadAll(path), "\xEF\xBB\xBF表;\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);  // no temporary file left behind by the switch
}

}  // namespace
}  // namespace catalogue
