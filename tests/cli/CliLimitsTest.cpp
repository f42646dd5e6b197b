// quillmark_cli against what a desktop throws at it: failed, killed and
// disk-starved prints, and files too large to read. Large files are sparse,
// so they cost no disk.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/files/TemporaryFiles.h"
#include "platform/text/Cp932.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::ReadAll;
using testsupport::TempDir;

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

struct Result {
  int status = -1;
  std::string err;
};

// Runs quillmark_cli through the shell, `prefix` first (limits, traps).
Result RunCli(const std::string& args, const std::string& prefix = "") {
  TempDir io;
  std::string command = prefix + "exec " + Quote(QUILL_CLI) + " " + args + " >/dev/null 2>" +
                        Quote(io.File("err")) + " </dev/null";
  int raw = std::system(("sh -c " + Quote(command)).c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadAll(io.File("err"))};
}

std::string Sparse(TempDir& dir, const std::string& name, std::int64_t bytes) {
  std::string path = dir.Write(name, "x");
  EXPECT_EQ(::truncate(path.c_str(), bytes), 0);
  return path;
}

// A style of 20 records a page, with a picture element when one is named.
std::string Style(TempDir& dir, const std::string& picture = "") {
  std::string text =
      "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;data;10;10;10;10;0;0;0;0;IPAGothic;10;;0;0;0;#ma_01 #pg;0;0;\r\n"
      "0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;#maxline=20;0;0;\r\n";
  if (!picture.empty()) {
    text += "0;0;0;0;image;20;20;30;20;1;0;0;" + picture + ";\r\n";
  }
  return dir.Write("style.sle", text);
}

std::string List(TempDir& dir, int records) {
  std::string text;
  for (int i = 1; i <= records; ++i) {
    text += "doc" + std::to_string(i) + ".doc;Title;;;;;;;;;;\r\n";
  }
  return dir.Write("list", text);
}

// How many of the program's temporary files the folder holds.
int TemporariesIn(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    count += platform::IsTemporaryName(entry.path().filename().string()) ? 1 : 0;
  }
  return count;
}

struct CliPdf : ::testing::Test {
  TempDir dir;
  std::string pdf = dir.File("catalogue.pdf");
  std::string before;

  void SetUp() override {
    std::string list = List(dir, 45);
    ASSERT_EQ(RunCli("print " + Quote(Style(dir)) + " --list " + Quote(list) + " -o " + Quote(pdf))
                  .status,
              0);
    before = ReadAll(pdf);
    ASSERT_GT(before.size(), 1000u);
  }
};

// A picture that cannot be read is left out of the printout, which is
// printed whole otherwise; the element is named and the run counts as
// failed, as a list with unreadable files does.
TEST_F(CliPdf, APrintWithAPictureThatCannotBeReadPrintsTheRestAndSaysWhy) {
  std::string huge = Sparse(dir, "huge.bmp", std::int64_t{100} << 20);
  std::string list = List(dir, 100);
  Result r =
      RunCli("print " + Quote(Style(dir, huge)) + " --list " + Quote(list) + " -o " + Quote(pdf));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("行目の画像"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(huge), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("上限 64 MiB"), std::string::npos) << r.err;
  std::string written = ReadAll(pdf);
  EXPECT_EQ(written.rfind("%PDF", 0), 0u);  // a new, whole PDF
  EXPECT_NE(written.find("%%EOF", written.size() - 32), std::string::npos);
  EXPECT_EQ(TemporariesIn(dir.path()), 0);

  // A pipe where the picture should be is refused too, without waiting.
  ASSERT_EQ(::mkfifo(dir.File("pipe.bmp").c_str(), 0644), 0);
  r = RunCli("print " + Quote(Style(dir, dir.File("pipe.bmp"))) + " --list " + Quote(list) +
             " -o " + Quote(pdf));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("pipe.bmp"), std::string::npos) << r.err;

  // A picture that is not there at all: printed and rendered without it,
  // said, and the run fails.
  std::string gone = dir.File("gone.bmp");
  std::string style = Style(dir, gone);
  for (std::string command :
       {"print " + Quote(style) + " --list " + Quote(list) + " -o " + Quote(pdf),
        "render " + Quote(style) + " --list " + Quote(list) + " -o " +
            Quote(dir.File("page.png"))}) {
    r = RunCli(command);
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_NE(r.err.find("画像ファイル「" + gone + "」が見つかりません"), std::string::npos)
        << r.err;
  }
  EXPECT_EQ(ReadAll(pdf).rfind("%PDF", 0), 0u);
  EXPECT_FALSE(ReadAll(dir.File("page.png")).empty());
}

TEST_F(CliPdf, AFullDiskLeavesTheOldPdfAndNoStub) {
  // Writes past 2 KiB fail, as on a full disk. The limit's signal would end
  // a program that did not ignore it: the program does, and says why.
  Result r =
      RunCli("print " + Quote(Style(dir)) + " --list " + Quote(List(dir, 45)) + " -o " + Quote(pdf),
             "ulimit -f 2; ");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(pdf), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(pdf), before);
  EXPECT_EQ(TemporariesIn(dir.path()), 0);
}

TEST_F(CliPdf, AKilledPrintLeavesTheOldPdfAndItsTemporaryGoesAtTheNextStart) {
  std::string list = List(dir, 20000);  // a thousand pages: long enough to be killed
  std::string command = "exec " + Quote(QUILL_CLI) + " print " + Quote(Style(dir)) + " --list " +
                        Quote(list) + " -o " + Quote(pdf) + " >/dev/null 2>&1";
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  // Kill it once it has started writing its temporary file.
  for (int i = 0; i < 200 && TemporariesIn(dir.path()) == 0; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the print ended before it could be killed";
  EXPECT_EQ(ReadAll(pdf), before);
  int left = TemporariesIn(dir.path());
  EXPECT_EQ(left, 1);  // the killed print's, unlocked now
  EXPECT_EQ(platform::RemoveStaleTemporaries(dir.path(), 0), left);
  EXPECT_EQ(TemporariesIn(dir.path()), 0);
}

TEST(CliLimits, FilesTooLargeAreRefusedWithTheirNameAndTheLimit) {
  TempDir dir;
  std::string list = List(dir, 3);
  std::string style = Sparse(dir, "huge.sle", std::int64_t{1} << 30);
  Result r = RunCli("bind " + Quote(style) + " --list " + Quote(list));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(style), std::string::npos);
  EXPECT_NE(r.err.find("上限 16 MiB"), std::string::npos) << r.err;

  std::string hugeList = Sparse(dir, "huge.list", (std::int64_t{1} << 30) + 1);
  r = RunCli("csv " + Quote(hugeList) + " -o " + Quote(dir.File("out.csv")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("上限 1024 MiB"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.csv")));

  // A list of nothing but line breaks is bounded by its number of lines.
  std::string breaks = dir.Write("breaks.list", std::string(1000001, '\n'));
  r = RunCli("bind " + Quote(dir.Write("s.sle", "header;Ver1.1;0;0;9;0;0;100;0;\r\n")) +
             " --list " + Quote(breaks));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("上限 1000000 行"), std::string::npos) << r.err;
}

TEST(CliLimits, ATextElementDrawsNoMoreThanAPageCanShow) {
  TempDir dir;
  auto style = [&](const std::string& name, std::size_t characters, int mode) {
    return dir.Write(name,
                     "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                     "0;0;0;0;char;10;10;10;10;0;0;0;0;IPAGothic;12;;" +
                         std::to_string(mode) + ";0;255;" + std::string(characters, 'W') +
                         ";0;0;\r\n");
  };
  for (int mode : {2, 3}) {
    std::string huge = style("huge.sle", 200000, mode);
    std::string cut = style("cut.sle", 4096, mode);
    ASSERT_EQ(RunCli("render " + Quote(huge) + " -o " + Quote(huge + ".png")).status, 0);
    ASSERT_EQ(RunCli("render " + Quote(cut) + " -o " + Quote(cut + ".png")).status, 0);
    EXPECT_EQ(ReadAll(huge + ".png"), ReadAll(cut + ".png")) << "mode " << mode;
  }
}

}  // namespace
