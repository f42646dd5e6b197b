#include "printing/core/PrintRun.h"

#include <gtest/gtest.h>

#include "catalogue/core/ListFile.h"
#include "platform/errors/UserError.h"
#include "printing/core/ListFileCache.h"
#include "tests/support/FakePrinter.h"
#include "tests/support/TempDir.h"

namespace printing {
namespace {

struct PrintFixture : ::testing::Test {
  testsupport::TempDir dir;
  testsupport::FakePrinter printer;
  FixedClock clock{*MakeDate(2026, 12, 7)};
  std::string title;   // the report's, bound into #T
  std::string folder;  // the folder listed, bound into #FL

  std::string List(int records) {
    std::string text;
    for (int i = 1; i <= records; ++i) {
      text += "f" + std::to_string(i) + ".doc;;;;;;;;;;;\r\n";
    }
    return dir.Write("list", text);
  }

  std::string Style(const std::string& capacity) {
    return dir.Write("s.sle",
                     "header;Ver1.1;0;0;11;1;0;100;0;\r\n"
                     "0;0;0;0;char;1;1;1;1;0;0;0;0;F;10;;0;0;0;#ma_01 #pg;0;0;\r\n"
                     "0;0;0;0;data;0;0;0;0;0;0;0;0;F;10;;0;0;0;" +
                         capacity + ";0;0;\r\n");
  }

  // Loads the style as the print window does and prints every page;
  // `page` is the state's page number afterwards.
  int Print(const std::string& style, const std::string& list, int& page) {
    ListFileCache cache(list);
    PrintState state(
        [&] {
          BindingData data;
          data.title = title;
          data.folder = folder;
          data.sharedLines = &cache.Lines();
          return data;
        },
        clock);
    state.SetPageNumber(page);
    state.Load(style);
    int pages = PrintAllPages(printer, state, PrintInputs{});
    page = state.PageNumber();
    return pages;
  }
};

TEST_F(PrintFixture, EveryPageIsBoundAndDrawnOnThePrinter) {
  int page = 5;
  EXPECT_EQ(Print(Style("#maxline=20"), List(45), page), 3);
  EXPECT_EQ(page, 0);
  ASSERT_EQ(printer.pages.size(), 3u);
  EXPECT_EQ(printer.runs, 1);
  EXPECT_EQ(printer.completedRuns, 1);
  EXPECT_EQ(printer.pages[1][0].substr(0, 30), "text 23,23 'f21.doc 2' px=83 c");
  EXPECT_EQ(printer.applied, (std::vector<std::string>{"11/1", "11/1", "11/1"}));
}

TEST_F(PrintFixture, TheFileIsDescribedByTheReportsTitleAndFolder) {
  int page = 1;
  Print(Style("#maxline=20"), List(1), page);
  EXPECT_EQ(printer.description.title, "s");  // no report title: the style's name
  EXPECT_EQ(printer.description.creator.rfind("ワード・クイルマーク ", 0), 0u);
  EXPECT_EQ(printer.documentTitle, "s - ワード・クイルマーク");  // the queue's, as before
  title = "目録";
  folder = "/docs";
  Print(Style("#maxline=20"), List(1), page);
  EXPECT_EQ(printer.description.title, "目録");
  EXPECT_EQ(printer.description.subject, "/docs");
}

TEST_F(PrintFixture, ACustomPaperIsPutOnThePrinterForEveryPage) {
  std::string style = dir.Write("card.sle",
                                "header;Ver1.1;0;0;256;1;0;100;0;100;148;\r\n"
                                "0;0;0;0;data;0;0;0;0;0;0;0;0;F;10;;0;0;0;#maxline=1;0;0;\r\n");
  int page = 1;
  EXPECT_EQ(Print(style, List(2), page), 2);
  EXPECT_EQ(printer.applied, (std::vector<std::string>{"custom 100x148/1", "custom 100x148/1"}));
}

TEST_F(PrintFixture, TwentyOneRecordsAtTwentyAPageAreTwoPages) {
  int page = 0;
  EXPECT_EQ(Print(Style("#maxline=20"), List(21), page), 2);
  EXPECT_EQ(Print(Style("#maxline=20"), List(40), page), 2);
}

TEST_F(PrintFixture, EachJobIsTitledWithItsPageTheStyleAndTheProgram) {
  int page = 0;
  ASSERT_EQ(Print(Style("#maxline=20"), List(41), page), 3);
  EXPECT_EQ(printer.jobTitles, (std::vector<std::string>{"1/3 s - ワード・クイルマーク",
                                                         "2/3 s - ワード・クイルマーク",
                                                         "3/3 s - ワード・クイルマーク"}));
  EXPECT_EQ(printer.documentTitle, "s - ワード・クイルマーク");
  printer.jobTitles.clear();
  ASSERT_EQ(Print(Style("none"), List(41), page), 1);
  EXPECT_EQ(printer.jobTitles, std::vector<std::string>{"1/1 s - ワード・クイルマーク"});
  // The page count as the binding pages the list; a style named in full.
  EXPECT_EQ(PageCount(40, 20), 2);
  EXPECT_EQ(PageCount(0, 20), 1);
  EXPECT_EQ(PageCount(5, 0), 1);
  EXPECT_EQ(StyleName("/a/b/一覧表_A4縦.sle"), "一覧表_A4縦");
  EXPECT_EQ(StyleName("plain"), "plain");
  EXPECT_EQ(StyleName("REPORT.SLE"), "REPORT");
  EXPECT_EQ(StyleName("dir.sle/.sle"), ".sle");
  EXPECT_EQ(StyleName("/a/new\nline\x1b[31m\x7f.sle"), "new line [31m ");
  EXPECT_EQ(JobTitle("x", 3, 0), "p3 x - ワード・クイルマーク");
}

TEST_F(PrintFixture, AStyleWithoutCapacityPrintsOnePage) {
  int page = 0;
  EXPECT_EQ(Print(Style("no capacity"), List(5), page), 1);
}

TEST_F(PrintFixture, AFailedRunIsEndedAsDroppedNotCompleted) {
  int page = 0;
  // A list that cannot be read stops the style's loading, before any run.
  EXPECT_THROW(Print(Style("#maxline=20"), dir.File("none"), page), platform::UserError);
  EXPECT_TRUE(printer.pages.empty());
  EXPECT_EQ(printer.runs, 0);
  // A page that fails to draw, after others printed.
  std::string broken = dir.Write("b.sle",
                                 "header;Ver1.1;0;0;11;1;0;100;0;\r\n"
                                 "0;0;0;0;data;0;0;0;0;0;0;0;0;F;10;;0;0;0;#maxline=1;0;0;\r\n"
                                 "0;0;0;0;char;1;1;1;1;0;0;0;0;F;10;;0;0;0;#ma_01;0;0;\r\n"
                                 "0;0;0;0;line;1;1;1;#ma_01;0;;0;0;\r\n");
  std::string list = dir.Write("l2", "1;;;;;;;;;;;\r\nx;;;;;;;;;;;\r\n");
  EXPECT_THROW(Print(broken, list, page), platform::UserError);
  EXPECT_EQ(printer.pages.size(), 1u);  // page 1 went to the printer, page 2 failed
  EXPECT_EQ(printer.runs, 1);
  EXPECT_EQ(printer.completedRuns, 0);
}

TEST_F(PrintFixture, APageThatDoesNotReachThePrinterIsNamedWithThePagesBeforeIt) {
  int page = 0;
  printer.refusePage = 3;
  try {
    Print(Style("#maxline=20"), List(100), page);
    ADD_FAILURE() << "the run went on";
  } catch (const platform::UserError& e) {
    EXPECT_STREQ(e.what(),
                 "2 ページ目まで印刷しましたが、3 ページ目を印刷できませんでした: queue refused "
                 "the job");
  }
  EXPECT_EQ(printer.pages.size(), 2u);
  EXPECT_EQ(printer.completedRuns, 0);
  // The first page refused: the printer's own words.
  printer.refusePage = 1;
  printer.pages.clear();
  EXPECT_THROW(
      {
        try {
          Print(Style("#maxline=20"), List(5), page);
        } catch (const platform::UserError& e) {
          EXPECT_STREQ(e.what(), "queue refused the job");
          throw;
        }
      },
      platform::UserError);
}

TEST_F(PrintFixture, TheListIsReadAgainOnlyWhenItChanged) {
  std::string path = List(2);
  ListFileCache cache(path);
  const std::vector<std::string>* first = &cache.Lines();
  EXPECT_EQ(cache.Lines().size(), 2u);
  EXPECT_EQ(&cache.Lines(), first);
  dir.Write("list", "only.doc;;;;;;;;;;;\r\n");
  EXPECT_EQ(cache.Lines().size(), 1u);
}

// What the print window binds from the main window's list in memory is, line
// for line, what it would read back from the print hand-off's list file:
// code page 932 or UTF-8, with characters code page 932 turns into others,
// and without the rows of unreadable files.
TEST_F(PrintFixture, TheListInMemoryBindsAsItsHandOffFileReadsBack) {
  const std::vector<std::vector<std::string>> cases = {
      {"a.doc;Title;;;;;;;;;;", ";;;;;;;;;;;", "b.doc;第二;;;;;;;;;;"},
      {"c.doc;〜 wave ¥ yen;;;;;;;;;;", "d.doc;Résumé 𠮷;;;;;;;;;;", ";;;;;;;;;;;"},
  };
  for (const std::vector<std::string>& rows : cases) {
    std::string path = dir.File("handoff");
    catalogue::WriteListFile(path, rows);
    catalogue::DocumentList documents;
    documents.Load(path);
    catalogue::WriteListFile(path, documents.ListLines(','));
    ListFileCache cache(path);
    EXPECT_EQ(PrintedLines(documents), cache.Lines());
    EXPECT_EQ(PrintedLines(documents).size(), 2u);
  }
}

}  // namespace
}  // namespace printing
