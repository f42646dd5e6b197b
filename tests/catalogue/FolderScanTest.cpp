#include "catalogue/core/FolderScan.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "catalogue/core/ScanMessages.h"
#include "catalogue/scan/DocumentScan.h"
#include "catalogue/scan/FolderTasks.h"
#include "catalogue/scan/ReadAhead.h"
#include "platform/errors/UserError.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/LongPaths.h"
#include "tests/support/PropertySetBuilder.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

using fakes::FailedOpen;
using fakes::FakeSource;
using fakes::RecordingReporter;
using fakes::StreamOf;
using testsupport::PropertySetBuilder;
using Names = std::vector<std::string>;

// Drops a written file from the page cache; false where the file system
// keeps files in memory whatever is asked.
bool DropFromMemory(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  bool dropped = ::fsync(fd) == 0 && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
  ::close(fd);
  return dropped;
}

TEST(DocumentMask, MatchesTheThreeExtensionsCaseBlind) {
  for (const char* name : {"a.doc", "A.DOC", "b.Wrd", "c.rtf", "x.y.doc", "\xE8\xA1\xA8.doc"}) {
    EXPECT_TRUE(MatchesDocumentMask(name)) << name;
  }
  for (const char* name :
       {"a.docx", "a.doc.bak", "doc", "adoc", ".doc", ".hidden.doc", "a.txt", ""}) {
    EXPECT_FALSE(MatchesDocumentMask(name)) << name;
  }
}

TEST(DocumentMask, ListsRegularMatchingFilesSortedCaseBlind) {
  testsupport::TempDir dir;
  for (const char* name : {"b.DOC", "A.doc", "c.rtf", "d.txt", ".hidden.doc", "a.wrd"}) {
    dir.Write(name, "x");
  }
  std::filesystem::create_directory(dir.File("folder.doc"));
  std::filesystem::create_symlink(dir.File("c.rtf"), dir.File("link.doc"));
  std::filesystem::create_symlink(dir.File("gone"), dir.File("broken.doc"));
  EXPECT_EQ(ListDocumentFiles(dir.path()), (Names{"A.doc", "a.wrd", "b.DOC", "c.rtf", "link.doc"}));
  EXPECT_EQ(ListDocumentFiles(dir.path() + "/"), ListDocumentFiles(dir.path()));

  testsupport::TempDir empty;
  EXPECT_EQ(ListDocumentFiles(empty.path()), Names{});
  EXPECT_THROW(ListDocumentFiles(empty.File("missing")), platform::UserError);
}

TEST(DocumentMask, NameOrderIsCaseBlindThenByBytes) {
  EXPECT_TRUE(NameLess("a.doc", "B.doc"));
  EXPECT_TRUE(NameLess("B.doc", "c.doc"));
  EXPECT_TRUE(NameLess("A.doc", "a.doc"));  // a tie broken by bytes, so the order is total
  EXPECT_FALSE(NameLess("a.doc", "A.doc"));
  EXPECT_TRUE(NameLess("ab", "abc"));
}

TEST(DocumentMask, FindsTheOneDocumentWhoseRecordedNameIsTheField) {
  testsupport::TempDir dir;
  dir.Write("a;b.doc", "x");        // recorded "a；b.doc"
  dir.Write("tab\tname.doc", "x");  // recorded "tab name.doc"
  dir.Write("\x95\x5C.doc", "x");   // not UTF-8: "?\\.doc"
  dir.Write("\x83\x5C.doc", "x");   // "?\\.doc" too
  dir.Write("plain.rtf", "x");
  std::filesystem::create_directory(dir.File("folder;.doc"));  // not a document
  EXPECT_EQ(FindDocumentByField(dir.path(), "a；b.doc"), "a;b.doc");
  EXPECT_EQ(FindDocumentByField(dir.path(), "tab name.doc"), "tab\tname.doc");
  EXPECT_EQ(FindDocumentByField(dir.path(), "plain.rtf"), "plain.rtf");
  // Two files recorded alike: which one the row meant cannot be told.
  EXPECT_EQ(FindDocumentByField(dir.path(), "?\\.doc"), "");
  EXPECT_EQ(FindDocumentByField(dir.path(), "folder；.doc"), "");
  EXPECT_EQ(FindDocumentByField(dir.path(), "gone.doc"), "");
  EXPECT_EQ(FindDocumentByField(dir.File("missing"), "plain.rtf"), "");

  // The file the field was first taken for and one named with the full-width
  // "；" itself are recorded alike as well.
  dir.Write(
      "a\xEF\xBC\x9B"
      "b.doc",
      "x");
  EXPECT_EQ(FindDocumentByField(dir.path(), "a；b.doc"), "");
}

class CollectingSink : public LineSink {
 public:
  Names lines;
  void WriteLine(std::string_view line) override { lines.emplace_back(line); }
};

TEST(DocumentMask, AFolderListedOnItsOwnThreadListsTheSameAndAnUnreadableOneFails) {
  testsupport::TempDir dir;
  dir.Write("b.doc", "x");
  dir.Write("A.DOC", "x");
  dir.Write("note.txt", "x");
  DetachedTask<ListedFolder> listing = StartListing({dir.path()});
  ASSERT_TRUE(listing.WaitFor(std::chrono::seconds(30)));
  EXPECT_TRUE(listing.Finished());
  EXPECT_EQ(listing.Take().names, ListDocumentFiles(dir.path()));
  // A folder that cannot be read is an error, not a folder without documents.
  DetachedTask<ListedFolder> missing = StartListing({dir.File("gone")});
  ASSERT_TRUE(missing.WaitFor(std::chrono::seconds(30)));
  try {
    missing.Take();
    ADD_FAILURE() << "listed a missing folder";
  } catch (const platform::UserError& e) {
    EXPECT_EQ(UnreadableFolderStatus(e.what()),
              "フォルダーを読めません: ファイルまたはフォルダーが見つかりません");
  }
}

TEST(Scan, WritesOneLinePerFileInListOrderWithEmptyLinesForFailures) {
  FakeSource source;
  RecordingReporter reporter;
  source.files["/f/1.doc"] = StreamOf(PropertySetBuilder().Lpstr(2, "one").Build());
  source.files["/f/2.rtf"] = FailedOpen(kSTG_E_FILEALREADYEXISTS);
  source.files["/f/3.doc"] = StreamOf(PropertySetBuilder().Lpstr(2, "three").Build());
  DocumentReader reader(source, reporter, RegionalFormats{}, 0);
  CollectingSink sink;
  std::vector<std::size_t> progress;
  EXPECT_TRUE(ScanDocuments("/f", {"1.doc", "2.rtf", "3.doc"}, reader, sink,
                            [&](std::size_t done, std::size_t total) {
                              EXPECT_EQ(total, 3u);
                              progress.push_back(done);
                              return true;
                            }));
  EXPECT_EQ(sink.lines, (Names{"1.doc;one;;;;;;;;;;", "", "3.doc;three;;;;;;;;;;"}));
  EXPECT_EQ(reporter.messages, Names{"未対応ファイルです"});
  EXPECT_EQ(progress, (std::vector<std::size_t>{1, 2, 3}));
}

TEST(Scan, MessagesAreGatheredWithTheirFileNamesForOneSummary) {
  FakeSource source;
  ScanMessages messages;
  source.files["/f/a.doc"] = StreamOf(PropertySetBuilder().Lpstr(2, "a").Build());
  source.files["/f/b.rtf"] = FailedOpen(kSTG_E_FILEALREADYEXISTS);
  source.files["/f/c.doc"] = FailedOpen(kSTG_E_INVALIDHEADER);
  DocumentReader reader(source, messages, RegionalFormats{}, 0);
  CollectingSink sink;
  EXPECT_TRUE(ScanDocuments("/f", {"a.doc", "b.rtf", "c.doc", "d.doc"}, reader, sink));
  EXPECT_EQ(sink.lines.size(), 4u);  // the scan went on past every message
  EXPECT_EQ(messages.Heading(), "読み取れなかったファイルが 3 件あります。");
  Names lines;
  for (const ScanMessages::Entry& entry : messages.Entries()) {
    lines.push_back(entry.fileName + ": " + MessageOnOneLine(entry.text));
  }
  EXPECT_EQ(lines,
            (Names{"b.rtf: 未対応ファイルです", "c.doc: Error StgOpenStorage HResult = $800300FB",
                   "d.doc: ファイルが見つかりません"}));
}

TEST(Scan, DocumentsWhoseValuesWereCutAreInTheSummaryOnceEach) {
  FakeSource source;
  std::string huge(5000, 'h');
  source.files["/f/a.doc"] = StreamOf(PropertySetBuilder().Lpstr(2, huge).Lpstr(3, huge).Build());
  source.files["/f/b.doc"] = StreamOf(PropertySetBuilder().Lpstr(2, "b").Build());
  ScanMessages cutOnly;
  DocumentReader reader(source, cutOnly, RegionalFormats{}, 0);
  CollectingSink sink;
  EXPECT_TRUE(ScanDocuments("/f", {"a.doc", "b.doc"}, reader, sink));
  EXPECT_EQ(sink.lines[0].size(), 6 + 4096 + 1 + 4096 + 1 + 8u);  // the document is listed
  EXPECT_EQ(cutOnly.Heading(), "4096 文字を超える値を切り詰めた文書が 1 件あります。");
  ASSERT_EQ(cutOnly.Entries().size(), 1u);  // once, though two values were cut
  EXPECT_EQ(cutOnly.Entries()[0].fileName, "a.doc");
  EXPECT_EQ(cutOnly.Entries()[0].text, "4096 文字を超える値を切り詰めました");

  ScanMessages both;
  DocumentReader withMissing(source, both, RegionalFormats{}, 0);
  EXPECT_TRUE(ScanDocuments("/f", {"a.doc", "missing.doc"}, withMissing, sink));
  EXPECT_EQ(
      both.Heading(),
      "読み取れなかったファイルが 1 件、4096 文字を超える値を切り詰めた文書が 1 件あります。");
  // Documents read in part and folders left out are counted apart.
  both.SetFolder("/f");
  both.NoteLeftOut("/f/c.fodt", "文書情報が先頭の 4 MiB にないため読み取りませんでした");
  both.NoteFolderLeftOut("sub/locked", "フォルダーを開けません");
  EXPECT_EQ(both.Heading(),
            "読み取れなかったファイルが 1 件、4096 文字を超える値を切り詰めた文書が 1 件、"
            "一部を読み取らなかった文書が 1 件、読まなかったフォルダーが 1 件あります。");
  EXPECT_EQ(both.Entries()[2].fileName, "c.fodt");
  EXPECT_EQ(both.Entries()[3].fileName, "sub/locked/");
}

TEST(Scan, AMessageOnOneLineHasABlankForEachLineBreak) {
  EXPECT_EQ(MessageOnOneLine("a\r\nb\nc\rd"), "a b c d");
  EXPECT_EQ(MessageOnOneLine("\r\n\r\n"), "  ");
  EXPECT_EQ(MessageOnOneLine("end\r"), "end ");
}

TEST(Scan, ManyFilesKeepTheListsOrderAndTheMessagesOrder) {
  // More files than the scan asks the disk for ahead of the reading.
  testsupport::TempDir dir;
  FakeSource source;
  ScanMessages messages;
  Names names;
  Names expected;
  for (int i = 0; i < 300; ++i) {
    std::string name = "f" + std::to_string(1000 + i) + ".doc";
    names.push_back(name);
    dir.Write(name, "on disk, so the read-ahead has something to ask for");
    if (i % 7 == 3) {
      expected.push_back("");  // not in the fake: a missing file, with its message
      continue;
    }
    source.files[dir.File(name)] = StreamOf(PropertySetBuilder().Lpstr(2, "t" + name).Build());
    expected.push_back(name + ";t" + name + ";;;;;;;;;;");
  }
  DocumentReader reader(source, messages, RegionalFormats{}, 0);
  CollectingSink sink;
  EXPECT_TRUE(ScanDocuments(dir.path(), names, reader, sink));
  EXPECT_EQ(sink.lines, expected);
  ASSERT_EQ(messages.Entries().size(), 43u);
  EXPECT_EQ(messages.Entries()[0].fileName, "f1003.doc");
  EXPECT_EQ(messages.Entries()[42].fileName, "f1297.doc");
  // A file in memory already is not asked for again.
  EXPECT_FALSE(AskToReadAhead(dir.File("f1000.doc")));
  EXPECT_FALSE(AskToReadAhead(dir.File("missing.doc")));

  // A folder in memory only in part (its first hundred files): the
  // read-ahead ends on the warm files and starts again on the cold ones,
  // and the lines and messages are the same.
  bool dropped = true;
  for (int i = 100; i < 300; ++i) {
    dropped = DropFromMemory(dir.File(names[i])) && dropped;
  }
  sink.lines.clear();
  ScanMessages again;
  DocumentReader secondReader(source, again, RegionalFormats{}, 0);
  EXPECT_TRUE(ScanDocuments(dir.path(), names, secondReader, sink));
  EXPECT_EQ(sink.lines, expected);
  EXPECT_EQ(again.Entries().size(), 43u);

  // A file the disk has to read is asked for, and not once it is read.
  if (!dropped || !DropFromMemory(dir.File("f1001.doc")) ||
      !AskToReadAhead(dir.File("f1001.doc"))) {
    GTEST_SKIP() << "this file system keeps its files in memory";
  }
  std::ifstream in(dir.File("f1001.doc"), std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_FALSE(AskToReadAhead(dir.File("f1001.doc")));
}

TEST(Scan, StopsWhenProgressSaysSo) {
  FakeSource source;
  RecordingReporter reporter;
  DocumentReader reader(source, reporter, RegionalFormats{}, 0);
  CollectingSink sink;
  EXPECT_FALSE(ScanDocuments("/f", {"1.doc", "2.doc", "3.doc"}, reader, sink,
                             [](std::size_t done, std::size_t) { return done < 2; }));
  EXPECT_EQ(source.opened, (Names{"/f/1.doc", "/f/2.doc"}));
}

TEST(Scan, JoinsTheGivenFolderWithTheListedNames) {
  // The folder comes from the tree's selection at the moment of the scan,
  // the names from the list, which may still show another folder.
  FakeSource source;
  RecordingReporter reporter;
  DocumentReader reader(source, reporter, RegionalFormats{}, 0);
  CollectingSink sink;
  ScanDocuments("/second/", {"x.doc"}, reader, sink);
  EXPECT_EQ(source.opened, Names{"/second/x.doc"});
  EXPECT_EQ(sink.lines, Names{""});
  EXPECT_EQ(reporter.messages, Names{"ファイルが見つかりません"});
}

TEST(Scan, EmptyFolderMessageStartsWithTheFolder) {
  EXPECT_EQ(EmptyFolderMessage("/home/u/docs"),
            "/home/u/docs\r\n上記フォルダーにエクセルファイルは見つかりませんでした");
}

// The subfolders a listing leaves out are told: one deeper than it goes,
// and one it cannot open (a path longer than the system takes stands for
// any: root opens every folder it may).
TEST(DocumentMask, SubfoldersLeftOutAreToldWithWhy) {
  testsupport::TempDir dir;
  std::string path = dir.path();
  for (int depth = 0; depth <= kMaxSubfolderDepth + 1; ++depth) {
    path += "/d";
    std::filesystem::create_directory(path);
  }
  dir.Write("top.doc", "x");
  std::ofstream(path + "/deepest.doc") << "x";
  std::vector<LeftOutFolder> leftOut;
  std::vector<std::string> names =
      ListDocumentFiles(dir.path(), DocumentFormats::Classic, Subfolders::Included, &leftOut);
  EXPECT_EQ(names, std::vector<std::string>{"top.doc"});
  ASSERT_EQ(leftOut.size(), 1u);
  EXPECT_EQ(std::count(leftOut[0].folder.begin(), leftOut[0].folder.end(), 'd'),
            kMaxSubfolderDepth);
  EXPECT_EQ(leftOut[0].reason, TooDeepMessage());
  EXPECT_FALSE(leftOut[0].unreadable);

  // A folder whose path is longer than the system takes.
  testsupport::TempDir other;
  testsupport::TooLongPath tooLong(other.path());
  leftOut.clear();
  ListDocumentFiles(other.path(), DocumentFormats::Classic, Subfolders::Included, &leftOut);
  ASSERT_EQ(leftOut.size(), 1u);
  EXPECT_TRUE(leftOut[0].unreadable);
  EXPECT_NE(leftOut[0].reason.find("フォルダーを開けません"), std::string::npos);
}

// A folder gone in the middle of a scan (a share that stopped answering)
// ends it with one message naming the folder.
TEST(Scan, AFolderGoneInTheMiddleEndsTheScanWithOneMessage) {
  testsupport::TempDir dir;
  std::string folder = dir.File("share");
  std::filesystem::create_directory(folder);
  FakeSource source;
  for (const char* name : {"a.doc", "b.doc", "c.doc"}) {
    source.files[folder + "/" + name] = StreamOf(PropertySetBuilder().Lpstr(2, name).Build());
  }
  ScanMessages messages;
  DocumentReader reader(source, messages, RegionalFormats{}, 0);
  CollectingSink sink;
  auto goneAfterFirst = [&](std::size_t done, std::size_t) {
    if (done == 1) {
      std::filesystem::remove(folder);
      source.files.clear();  // nothing of it can be read any more
    }
    return true;
  };
  try {
    ScanDocuments(folder, {"a.doc", "b.doc", "c.doc"}, reader, sink, goneAfterFirst);
    ADD_FAILURE() << "the scan went on";
  } catch (const platform::UserError& e) {
    EXPECT_NE(std::string(e.what()).find(folder), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("フォルダーが読めなくなりました"), std::string::npos);
  }
  EXPECT_EQ(sink.lines.size(), 1u);  // nothing written for what could not be read
}

}  // namespace
}  // namespace catalogue
