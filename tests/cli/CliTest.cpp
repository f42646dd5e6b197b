// quillmark_cli as a user runs it: arguments in, bytes and exit code out.

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <cstring>
#include "catalogue/core/FolderScan.h"

#include "platform/text/Cp932.h"
#include "tests/support/CompoundFileWriter.h"
#include "tests/support/LongPaths.h"
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
  EXPECT_EQ(r.status, 1);  // two of the files could not be read
  EXPECT_EQ(r.out, "a.doc;\x93\xFA\x96\x7B;;;;;;;;;;\r\n\r\n\r\n");
  EXPECT_EQ(r.err, rtf + ": 未対応ファイルです\n" + bare +
                       ": Error PropSetStg.Open HResult = $80030002\n");
}

TEST(CliRead, ADamagedDocumentGivesTheProgramsMessageAndNothingFromTheLibrary) {
  TempDir dir;
  std::string doc = dir.File("damaged.doc");
  testsupport::WriteSummaryDocument(doc, PropertySetBuilder().Lpstr(2, "T").Build());
  // Point the root entry's mini stream (where the summary lies) far beyond
  // the file: the library warns while reading it.
  std::string bytes = ReadAll(doc);
  std::uint32_t directory = 0;
  std::memcpy(&directory, bytes.data() + 48, 4);
  std::size_t rootStart = (directory + 1) * 512 + 0x74;
  ASSERT_LT(rootStart + 4, bytes.size());
  bytes.replace(rootStart, 4, std::string("\x00\x00\x00\xD4", 4));
  dir.Write("damaged.doc", bytes);
  Result r = RunCli({"read", doc});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind(doc + ": Error ", 0), 0u) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
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
  EXPECT_EQ(RunCli({"scan"}).status, 2);
}

TEST(Cli, HelpVersionAndUsageErrorsAsALinuxUserExpects) {
  for (const char* help : {"--help", "-h"}) {
    Result r = RunCli({help});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("usage: quillmark_cli read", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("--utf8"), std::string::npos);
  }
  Result r = RunCli({"scan", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "usage: quillmark_cli scan FOLDER [-o LISTFILE] [--utf8] [--all-formats]\n"
            "                          [--recursive]\n");

  r = RunCli({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("quillmark_cli"), std::string::npos);
  EXPECT_NE(r.out.find("1.00"), std::string::npos);

  // Each fault is named, followed by the usage, with exit status 2.
  auto fault = [](const std::vector<std::string>& args) {
    Result r = RunCli(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: quillmark_cli"), std::string::npos);
    return r.err.substr(0, r.err.find('\n'));
  };
  EXPECT_EQ(fault({"frobnicate"}), "quillmark_cli: unknown verb: frobnicate");
  EXPECT_EQ(fault({"--frob"}), "quillmark_cli: unknown option: --frob");
  EXPECT_EQ(fault({"scan", "/tmp", "--frob"}), "quillmark_cli: unknown option: --frob");
  EXPECT_EQ(fault({"read", "-x", "a.doc"}), "quillmark_cli: unknown option: -x");
  EXPECT_EQ(fault({"scan", "a", "-o"}), "quillmark_cli: option needs a value: -o");
  EXPECT_EQ(fault({"scan", "a", "b"}), "quillmark_cli: unexpected argument: b");
  EXPECT_EQ(fault({"csv", "a", "-o", "x", "-o", "y"}), "quillmark_cli: option given twice: -o");
  EXPECT_EQ(fault({"print", "style.sle"}), "quillmark_cli: missing option: --list");
  EXPECT_EQ(fault({"render", "--list", "l"}), "quillmark_cli: missing STYLE");
  EXPECT_EQ(fault({"render", "s.sle", "-o", "x.png", "--zoom", "big"}),
            "quillmark_cli: --zoom: not a number: big");
  EXPECT_EQ(fault({}), "quillmark_cli: no verb given");
}

TEST(CliRead, ExitsOneOnlyWhenAFileGaveAMessageAndReadsNamesAfterDashDash) {
  TempDir dir;
  std::string doc = dir.File("-dash.doc");
  testsupport::WriteSummaryDocument(doc, PropertySetBuilder().Lpstr(2, "T").Build());
  std::string none = dir.File("none.doc");  // no property of ids 2 to 19: no message
  testsupport::WriteSummaryDocument(none, PropertySetBuilder().Build());
  Result r = RunCli({"read", "--", doc, none});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "-dash.doc;T;;;;;;;;;;\r\n\r\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(RunCli({"read", doc, dir.File("missing.doc")}).status, 1);
}

TEST(CliUtf8, ReadScanAndBindWriteUtf8WhenAsked) {
  TempDir dir;
  std::string doc = dir.File("文書.doc");
  testsupport::WriteSummaryDocument(
      doc, PropertySetBuilder().CodePage(932).Lpstr(2, platform::Utf8ToCp932("題名;副")).Build());
  std::string utf8Line = "文書.doc;題名；副;;;;;;;;;;\r\n";
  Result r = RunCli({"read", "--utf8", doc});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, utf8Line);
  EXPECT_EQ(RunCli({"read", doc}).out, platform::Utf8ToCp932(utf8Line));  // CP932 stays the default

  EXPECT_EQ(RunCli({"scan", dir.path(), "--utf8"}).out, utf8Line);
  TempDir out;
  ASSERT_EQ(RunCli({"scan", "--utf8", dir.path(), "-o", out.File("list")}).status, 0);
  EXPECT_EQ(ReadAll(out.File("list")), "\xEF\xBB\xBF" + utf8Line);  // with the mark of UTF-8

  std::string style = dir.Write(
      "s.sle",
      platform::Utf8ToCp932("header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                            "0;0;0;0;data;15;25;15;25;0;0;0;0;ＭＳ 明朝;12;;0;0;0;"
                            "#ma_01;0;0;\r\n"
                            "0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;#maxline=2;0;0;\r\n"));
  std::string list = dir.Write("list", platform::Utf8ToCp932("文書.doc;;;;;;;;;;;\r\n"));
  r = RunCli({"bind", style, "--list", list, "--utf8"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("ＭＳ 明朝;12;;0;0;0;文書.doc;"), std::string::npos) << r.out;
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

  // UTF-8 for spreadsheet programs: a byte-order mark, the headings, eleven fields.
  Result utf8 = RunCli({"csv", "--utf8", out.File("list")});
  EXPECT_EQ(utf8.status, 0);
  std::string heading = "\xEF\xBB\xBF\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE5\x90\x8D,";
  EXPECT_EQ(utf8.out.substr(0, heading.size()), heading);
  EXPECT_NE(utf8.out.find("\r\ndoc00000.doc,\xE6\x96\x87\xE6\x9B\xB8 0,2026/01/01 17:00:00,"),
            std::string::npos);
  EXPECT_NE(utf8.out.find(",2020/01/01 9:00:00\r\n"), std::string::npos);  // no twelfth field
  EXPECT_EQ(std::count(utf8.out.begin(), utf8.out.end(), '\n'), 3);
}

std::string Sjis(const char* utf8) {
  return platform::Utf8ToCp932(utf8);
}

// A style whose capacity is two rows, with the page tags and two row tags.
std::string BindStyle() {
  return Sjis(
      "header;Ver1.0;0;0;9;0;0;100;0;\r\n"
      "0;0;0;0;line;10;20;200;20;2;実線;0;0;\r\n"
      "0;0;0;0;char;15;25;0;0;0;0;ＭＳ 明朝;12;太字;0;0;0;#T #pg #FL;0;0;\r\n"
      "0;0;0;0;data;10;30;0;0;0;0;ＭＳ 明朝;10;;0;0;0;#ma_01/#mb_02 #Y#M#D#W;0;0;\r\n"
      "0;0;0;0;data;0;0;0;0;0;0;x;10;;0;0;0;#maxline=2;0;0;\r\n");
}

TEST(CliBind, BindsAPageAfterConvertingAnOlderStyle) {
  TempDir dir;
  std::string style = dir.Write("older.sle", BindStyle());
  std::string list =
      dir.Write("list", "a.doc;A;;;;;;;;;;\r\nb.doc;B;;;;;;;;;;\r\nc.doc;C;;;;;;;;;;\r\n");
  Result r = RunCli(
      {"bind", style, "--list", list, "--title", "題", "--folder", "/d", "--date", "2026-12-07"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "page: 1\n");
  EXPECT_EQ(r.out,
            Sjis("header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                 "0;0;0;0;line;10;20;200;20;2;実線;0;0;\r\n"
                 "0;0;0;0;char;15;25;15;25;0;0;0;0;ＭＳ 明朝;12;太字;0;0;0;題 1 /d;0;0;\r\n"
                 "0;0;0;0;data;10;30;10;30;0;0;0;0;ＭＳ 明朝;10;;0;0;0;a.doc/B 20261207月;0;0;\r\n"
                 "0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;;0;0;\r\n"));
  r = RunCli({"bind", style, "--list", list, "--page", "2", "--date", "2026-12-07"});
  EXPECT_EQ(r.err, "page: 0\n");
  EXPECT_NE(r.out.find("c.doc/ "), std::string::npos);
  EXPECT_EQ(RunCli({"bind", style}).status, 2);  // the list is required
  EXPECT_EQ(RunCli({"bind", style, "--list", list, "--date", "2026-02-30"}).status, 2);
  // "-h" as an option's value is that value, not a request for help.
  r = RunCli({"bind", style, "--list", list, "--title", "-h", "--date", "2026-12-07"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("-h 1 "), std::string::npos) << r.out;
  // The row of an unreadable file (no file name) is left out, as the
  // window's print leaves it out: b.doc is the second row.
  std::string withGaps =
      dir.Write("gaps", "a.doc;A;;;;;;;;;;\r\n;;;;;;;;;;;\r\n\r\nb.doc;B;;;;;;;;;;\r\n");
  r = RunCli({"bind", style, "--list", withGaps, "--date", "2026-12-07"});
  EXPECT_NE(r.out.find("a.doc/B 20261207"), std::string::npos) << r.out;
}

TEST(CliRender, DrawsThePrintableAreaAsThePreviewSizesIt) {
  TempDir dir;
  std::string style = dir.Write("s.sle", BindStyle());
  std::string png = dir.File("page.png");
  Result r = RunCli({"render", style, "-o", png});
  EXPECT_EQ(r.status, 0) << r.err;
  std::string bytes = ReadAll(png);
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  auto be32 = [&](std::size_t at) {
    return (static_cast<unsigned char>(bytes[at]) << 24) |
           (static_cast<unsigned char>(bytes[at + 1]) << 16) |
           (static_cast<unsigned char>(bytes[at + 2]) << 8) |
           static_cast<unsigned char>(bytes[at + 3]);
  };
  EXPECT_EQ(be32(16), 755);   // 200 mm at 96 dpi
  EXPECT_EQ(be32(20), 1084);  // 287 mm
  EXPECT_EQ(RunCli({"render", style, "-o", png, "--zoom", "50", "--printable", "100x50"}).status,
            0);
  bytes = ReadAll(png);
  EXPECT_EQ(be32(16), 188);
  EXPECT_EQ(be32(20), 94);
  // A broken style gives its message and no picture.
  std::string broken =
      dir.Write("b.sle", "header;Ver1.1;0;0;0;0;\r\n0;0;0;0;line;x;0;1;1;0;;0;0;\r\n");
  r = RunCli({"render", broken, "-o", dir.File("b.png")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("'x' は浮動小数点数ではありません"), std::string::npos);
  EXPECT_EQ(RunCli({"render", style}).status, 2);
}

// The output of a shell command.
std::string Output(const std::string& command) {
  TempDir io;
  std::system((command + " >" + Quote(io.File("out")) + " 2>/dev/null").c_str());
  return ReadAll(io.File("out"));
}

TEST(CliRender, DrawsAWindowsFaceNameWithTheFontThatStandsInForIt) {
  TempDir dir;
  auto style = [&](const std::string& name, const std::string& face) {
    return dir.Write(name, Sjis(("header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                                 "0;0;0;0;char;10;10;10;10;0;0;0;0;" +
                                 face + ";12;;0;0;0;日本語の見出し 2026/08/08;0;0;\r\n")
                                    .c_str()));
  };
  std::string windows = style("windows.sle", "ＭＳ ゴシック");
  std::string ipa = style("ipa.sle", "IPAGothic");
  std::string unknown = style("unknown.sle", "NoSuchFace");
  for (const std::string& s : {windows, ipa, unknown}) {
    ASSERT_EQ(RunCli({"render", s, "-o", s + ".png", "--printable", "120x30"}).status, 0);
  }
  EXPECT_EQ(ReadAll(windows + ".png"), ReadAll(ipa + ".png"));
  EXPECT_NE(ReadAll(unknown + ".png"), ReadAll(ipa + ".png"));  // the comparison can tell
}

TEST(CliPrint, PrintsEveryPageIntoOnePdf) {
  TempDir dir;
  std::string list;
  for (int i = 1; i <= 45; ++i) {
    list += "f" + std::to_string(i) + ".doc;Title " + std::to_string(i) + ";;;;;;;;;;\r\n";
  }
  std::string listFile = dir.Write("list", list);
  std::string style = dir.Write(
      "s.sle",
      Sjis("header;Ver1.1;0;0;9;0;0;100;0;\r\n"
           "0;0;0;0;char;10;10;10;10;0;0;0;0;ＭＳ ゴシック;10;;0;0;0;Page #pg of #T;0;0;\r\n"
           "0;0;0;0;data;10;20;10;20;0;0;0;0;ＭＳ 明朝;10;;0;0;0;#ma_01 #mb_01;0;0;\r\n"
           "0;0;0;0;data;10;30;10;30;0;0;0;0;ＭＳ 明朝;10;;0;0;0;#ma_20;0;0;\r\n"
           "0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;#maxline=20;0;0;\r\n"));
  std::string pdf = dir.File("out.pdf");
  Result r = RunCli({"print", style, "--list", listFile, "-o", pdf, "--title", "Catalogue"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.substr(0, 9), "pages: 3\n");
  EXPECT_NE(Output("pdfinfo " + Quote(pdf)).find("Pages:           3"), std::string::npos);
  std::string page3 = Output("pdftotext -f 3 -l 3 " + Quote(pdf) + " -");
  EXPECT_NE(page3.find("f41.doc Title 41"), std::string::npos) << page3;
  EXPECT_NE(page3.find("Page 3 of Catalogue"), std::string::npos);
  std::string page1 = Output("pdftotext -f 1 -l 1 " + Quote(pdf) + " -");
  EXPECT_NE(page1.find("f20.doc"), std::string::npos);
  EXPECT_EQ(RunCli({"print", style}).status, 2);
}

// Every character of every format, from the documents to the list (UTF-8
// after its mark), the UTF-8 CSV and the printed page's text; the Shift-JIS
// outputs keep "?" for what code page 932 lacks, and the CSV says so.
TEST(CliUnicode, EveryCharacterReachesTheListTheUtf8CsvAndThePdf) {
  TempDir docs;
  testsupport::WriteUnicodeDocuments(docs.path());
  TempDir dir;
  std::string list = dir.File("list");
  ASSERT_EQ(RunCli({"scan", "--all-formats", docs.path(), "-o", list}).status, 0);
  std::string bytes = ReadAll(list);
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  std::string title = testsupport::kUnicodeTitle;
  std::string author = testsupport::kUnicodeAuthor;
  for (const char* name : {"unicode.doc", "unicode.docx", "unicode.odt", "unicode.rtf"}) {
    EXPECT_NE(bytes.find(std::string(name) + ";" + title + ";"), std::string::npos) << name;
    EXPECT_NE(bytes.find(";" + author + ";"), std::string::npos);
  }
  EXPECT_NE(bytes.find("cp1252.doc;Résumé;;;José Müller;"), std::string::npos) << bytes;

  Result utf8 = RunCli({"csv", "--utf8", list});
  EXPECT_NE(utf8.out.find("unicode.docx," + title + ",,," + author + ","), std::string::npos);
  Result sjis = RunCli({"csv", list});
  EXPECT_NE(sjis.out.find("unicode.docx," + Sjis("?野家の報告 ― R?sum? ①") + ","),
            std::string::npos);
  EXPECT_NE(sjis.err.find("UTF-8 の CSV ならそのまま書き出せます"), std::string::npos) << sjis.err;
  EXPECT_NE(RunCli({"read", "--utf8", "--all-formats", docs.File("unicode.odt")}).out.find(title),
            std::string::npos);

  std::string style = dir.Write(
      "s.sle",
      Sjis("header;Ver1.1;0;0;9;0;0;100;0;\r\n"
           "0;0;0;0;data;10;20;10;20;0;0;0;0;ＭＳ 明朝;10;;0;0;0;#mb_01 #me_01;0;0;\r\n"
           "0;0;0;0;data;10;30;10;30;0;0;0;0;ＭＳ ゴシック;10;;0;0;0;#mb_02 #me_02;0;0;\r\n"
           "0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;#maxline=5;0;0;\r\n"));
  std::string pdf = dir.File("out.pdf");
  Result printed = RunCli({"print", style, "--list", list, "-o", pdf});
  ASSERT_EQ(printed.status, 0) << printed.err;
  std::string text = Output("pdftotext " + Quote(pdf) + " -");
  for (const char* word : {"𠮷野家の報告", "Résumé", "①", "José Müller", "김민수"}) {
    EXPECT_NE(text.find(word), std::string::npos) << word << " in\n" << text;
  }
}

// Qt's PDF writer maps back only the glyphs of the BMP; the program adds
// the others, however they interleave over pages and fonts. An emoji is
// drawn from the monochrome emoji font the program installs (Qt's PDF
// writer draws nothing of a colour one).
TEST(CliUnicode, CharactersBeyondTheBmpCanBeFoundInThePdf) {
  TempDir dir;
  std::string list = dir.Write("list",
                               "\xEF\xBB\xBF"
                               "a.doc;𠀋 と 𡈽;;;;;;;;;;\r\nb.doc;한글 𠮷 テスト;;;;;;;;;;\r\n"
                               "c.doc;𪚲𠮷𠀋 三つ;;;;;;;;;;\r\nd.doc;Café 𩸽 ① 📄;;;;;;;;;;\r\n");
  std::string style =
      dir.Write("s.sle", Sjis("header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                              "0;0;0;0;data;10;20;10;20;0;0;0;0;ＭＳ 明朝;10;;0;0;0;#mb_01;0;0;\r\n"
                              "0;0;0;0;data;10;30;10;30;0;0;0;0;ＭＳ 明朝;10;;0;0;0;#mb_02;0;0;\r\n"
                              "0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;#maxline=2;0;0;\r\n"));
  std::string pdf = dir.File("out.pdf");
  ASSERT_EQ(RunCli({"print", style, "--list", list, "-o", pdf}).status, 0);
  EXPECT_EQ(Output("pdftotext " + Quote(pdf) + " -"),
            "𠀋 と 𡈽\n한글 𠮷 テスト\n\n\f𪚲𠮷𠀋 三つ\nCafé 𩸽 ① 📄\n\n\f");
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

// A subfolder that cannot be read is named and fails the scan, after the
// list of what could be read is written; one too deep is named only.
TEST(CliScan, SubfoldersLeftOutAreNamedAndAnUnreadableOneFails) {
  TempDir dir;
  testsupport::WriteNumberedDocuments(dir.path(), 2);
  std::string deep = dir.path();
  for (int depth = 0; depth <= catalogue::kMaxSubfolderDepth + 1; ++depth) {
    deep += "/d";
    std::filesystem::create_directory(deep);
  }
  Result tooDeep = RunCli({"scan", "--recursive", "--utf8", dir.path()});
  EXPECT_EQ(tooDeep.status, 0);
  EXPECT_NE(tooDeep.err.find(catalogue::TooDeepMessage()), std::string::npos) << tooDeep.err;
  EXPECT_NE(tooDeep.out.find("doc00001.doc;"), std::string::npos);
  {
    testsupport::TooLongPath unreadable(dir.path());
    Result r = RunCli({"scan", "--recursive", "--utf8", dir.path(), "-o", dir.File("list")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("フォルダーを開けません"), std::string::npos) << r.err;
    EXPECT_NE(ReadAll(dir.File("list")).find("doc00001.doc;"), std::string::npos);
  }
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
  // A read-only list (or CSV, or PDF) is never replaced from the command line.
  std::string kept = dir.Write("kept.list", "old");
  ::chmod(kept.c_str(), 0444);
  r = RunCli({"scan", dir.path(), "-o", kept});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("読み取り専用"), std::string::npos) << r.err;
  EXPECT_EQ(testsupport::ReadAll(kept), "old");
}

}  // namespace
