// quillmark_cli as a user runs it: arguments in, bytes and exit code out.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include "platform/text/Cp932.h"
#include "tests/support/CompoundFileWriter.h"
#include "tests/support/PropertySetBuilder.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::PropertySetBuilder;
using testsupport::ReadAll;
using testsupport::TempDir;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

Result RunCli(const std::vector<std::string>& args) {
  TempDir io;
  std::string command = "TZ=UTC " + Quote(QUILL_CLI);
  for (const std::string& arg : args) {
    command += " " + Quote(arg);
  }
  command += " >" + Quote(io.File("out")) + " 2>" + Quote(io.File("err")) + " </dev/null";
  int raw = std::system(command.c_str());
  Result r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = ReadAll(io.File("out"));
  r.err = ReadAll(io.File("err"));
  return r;
}

TEST(CliRead, PrintsEachLineWithCrLfAndMessagesOnStderr) {
  TempDir dir;
  std::string doc = dir.File("a.doc");
  testsupport::WriteSummaryDocument(
      doc, PropertySetBuilder().CodePage(932).Lpstr(2, "\x93\xFA\x96\x7B").Build());
  std::string rtf = dir.Write("b.rtf", "{\\rtf1}");
  std::string bare = dir.File("c.doc");
  testsupport::WriteCompoundFile(bare, {{"WordDocument", "x"}});

  Result r = RunCli({"read", doc, rtf, bare});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a.doc;\x93\xFA\x96\x7B;;;;;;;;;;\r\n\r\n\r\n");
  EXPECT_EQ(r.err, rtf + ": 未対応ファイルです\n" + bare +
                       ": Error PropSetStg.Open HResult = $80030002\n");
}

TEST(CliRead, OutputThatCannotBeWrittenIsAFailure) {
  int raw =
      std::system((Quote(QUILL_CLI) + " read /nonexistent.doc >/dev/full 2>/dev/null").c_str());
  EXPECT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
}

TEST(CliRead, WithoutFilesIsAUsageError) {
  Result r = RunCli({"read"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("usage"), std::string::npos);
  EXPECT_EQ(RunCli({}).status, 2);
  EXPECT_EQ(RunCli({"frobnicate"}).status, 2);
  EXPECT_EQ(RunCli({"scan"}).status, 2);
  EXPECT_EQ(RunCli({"scan", "a", "b"}).status, 2);
  EXPECT_EQ(RunCli({"scan", "a", "-o"}).status, 2);
}

TEST(CliScan, ListsTheFolderInNameOrder) {
  TempDir dir;
  testsupport::WriteSampleDocuments(dir.path());
  Result r = RunCli({"scan", dir.path()});
  EXPECT_EQ(r.status, 0);
  // Annual Report.DOC, memo.rtf, no-properties.wrd, then the Japanese names.
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < r.out.size();) {
    std::size_t end = r.out.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    lines.push_back(r.out.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0],
            "Annual Report.DOC;Annual Report 2026;2026/03/31 23:59:59;Caf? sales;J. Smith;;;;7;;"
            "2026/02/01;");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(r.err, dir.File("memo.rtf") + ": 未対応ファイルです\n" + dir.File("no-properties.wrd") +
                       ": Error PropSetStg.Open HResult = $80030002\n");
}

TEST(CliScan, WritesTheListFileWhole) {
  TempDir dir;
  testsupport::WriteNumberedDocuments(dir.path(), 3);
  TempDir out;
  std::string list = out.Write("excel_list.temp", "old content that is much longer\r\n");
  Result r = RunCli({"scan", dir.path(), "-o", list});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  std::string written = ReadAll(list);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 3);
  EXPECT_EQ(written.rfind("doc00000.doc;", 0), 0u);
  EXPECT_EQ(RunCli({"scan", "-o", list, dir.path()}).status, 0);  // options in any place
}

TEST(CliCsv, GivesTheGridsCsvTextOfAScannedList) {
  TempDir dir;
  testsupport::WriteNumberedDocuments(dir.path(), 2);
  TempDir out;
  ASSERT_EQ(RunCli({"scan", dir.path(), "-o", out.File("list")}).status, 0);
  Result r = RunCli({"csv", out.File("list")});
  EXPECT_EQ(r.status, 0);
  std::string first = "doc00000.doc," + platform::Utf8ToCp932("文書 0") +
                      ",2026/01/01 17:00:00,Subject 0," + platform::Utf8ToCp932("山田 太郎") +
                      ",,," + platform::Utf8ToCp932("佐藤 花子") + ",1,,2020/01/01 9:00:00,,\r\n";
  EXPECT_EQ(r.out.substr(0, first.size()), first);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);

  EXPECT_EQ(RunCli({"csv", out.File("list"), "-o", out.File("list.csv")}).status, 0);
  EXPECT_EQ(ReadAll(out.File("list.csv")), r.out);
  EXPECT_EQ(RunCli({"csv", out.File("missing")}).status, 1);
  EXPECT_EQ(RunCli({"csv"}).status, 2);
}

TEST(CliScan, EmptyFolderWritesNothingAndSaysSo) {
  TempDir dir;
  dir.Write("notes.txt", "x");
  TempDir out;
  std::string list = out.Write("excel_list.temp", "kept\r\n");
  Result r = RunCli({"scan", dir.path(), "-o", list});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, dir.path() + "\n上記フォルダーにエクセルファイルは見つかりませんでした\n");
  EXPECT_EQ(ReadAll(list), "kept\r\n");
}

TEST(CliScan, UnwritableListOrMissingFolderFailsAndKeepsTheOldList) {
  TempDir dir;
  testsupport::WriteNumberedDocuments(dir.path(), 1);
  Result r = RunCli({"scan", dir.path(), "-o", dir.File("missing/list")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(dir.File("missing/list")), std::string::npos);
  r = RunCli({"scan", dir.File("nowhere")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(dir.File("nowhere")), std::string::npos);
}

}  // namespace
