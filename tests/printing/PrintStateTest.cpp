#include "printing/core/PrintState.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/errors/UserError.h"
#include "tests/support/TempDir.h"
#include "tests/support/TextField.h"

namespace printing {
namespace {

using layout::Fixed;
using testsupport::ReadAll;

// A state bound with `rows` numbered documents, on a fixed day.
struct PrintStateFixture : ::testing::Test {
  testsupport::TempDir dir;
  FixedClock clock{*MakeDate(2026, 12, 7)};
  std::vector<std::string> rows;
  bool listReadable = true;
  PrintState state{[this] {
                     if (!listReadable) {
                       throw platform::UserError("list unreadable");
                     }
                     BindingData data;
                     data.title = "T";
                     data.sharedLines = &rows;
                     return data;
                   },
                   clock};

  void Rows(int count) {
    rows.clear();
    for (int i = 1; i <= count; ++i) {
      rows.push_back("f" + std::to_string(i) + ".doc;;;;;;;;;;;");
    }
  }

  // A style of `capacity` rows a page whose text element shows the first
  // row's file name and the page number.
  std::string Style(const std::string& name, const std::string& header = "1.5;-2;9;0") {
    return dir.Write(name, "header;Ver1.1;" + header +
                               ";0;100;0;\r\n"
                               "0;0;0;0;char;15;25;15;25;0;0;0;0;F;12;;0;0;0;#ma_01 #pg;0;0;\r\n"
                               "0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;#maxline=20;0;0;\r\n");
  }

  // The bound text of the first text element.
  std::string Shown() const { return testsupport::TextField(state.PageLines().at(1)); }
};

TEST_F(PrintStateFixture, LoadingReadsConvertsAndBindsAndTakesTheHeader) {
  Rows(45);
  std::string path = dir.Write("old.sle",
                               "header;Ver1.0;2;3;13;1;0;100;0;\r\n"
                               "0;0;0;0;char;15;25;0;0;0;0;0;F;12;;0;0;0;#ma_01 #pg;0;0;\r\n");
  state.Load(path);
  EXPECT_TRUE(state.StyleLoaded());
  EXPECT_EQ(state.Path(), path);
  EXPECT_EQ(state.Bytes(), ReadAll(path));                         // as read
  EXPECT_EQ(state.Lines()[0], "header;Ver1.1;2;3;13;1;0;100;0;");  // converted
  EXPECT_EQ(state.Lines()[1].substr(0, 28), "0;0;0;0;char;15;25;15;25;0;0");
  EXPECT_EQ(state.OffsetX(), Fixed::FromInt(2));
  EXPECT_EQ(state.OffsetY(), Fixed::FromInt(3));
  EXPECT_EQ(state.PaperEntry(), 13);
  EXPECT_EQ(state.Orientation(), 1);
  EXPECT_EQ(state.PageLines()[1].find('#'), std::string::npos);  // the tags filled
  EXPECT_EQ(state.PageNumber(), 1);
}

TEST_F(PrintStateFixture, PagesAreBoundFromMemoryAndWrapAfterTheLast) {
  Rows(45);
  std::string path = Style("a.sle");
  state.Load(path);
  EXPECT_EQ(Shown(), "f1.doc 1");
  // Whatever happens to the file, the pages come from the style as read.
  std::remove(path.c_str());
  state.SetPageNumber(2);
  state.ShowPage();
  EXPECT_EQ(Shown(), "f21.doc 2");
  state.SetPageNumber(3);
  state.ShowPage();
  EXPECT_EQ(Shown(), "f41.doc 3");
  EXPECT_EQ(state.PageNumber(), 0);  // the last page
  state.SetPageNumber(state.PageNumber() + 1);
  state.ShowPage();
  EXPECT_EQ(Shown(), "f1.doc 1");
  // Binding a page on its own changes nothing shown.
  EXPECT_EQ(state.Bind(2).lines[1].find("f21.doc 2") != std::string::npos, true);
  EXPECT_EQ(Shown(), "f1.doc 1");
}

TEST_F(PrintStateFixture, AStyleThatCannotBeLoadedChangesNothing) {
  Rows(3);
  std::string good = Style("good.sle");
  state.Load(good);
  state.SetOffsets(Fixed::FromInt(7), Fixed::FromInt(8));
  std::vector<std::string> shown = state.PageLines();

  std::string badHeader = Style("bad.sle", "abc;0;9;0");
  EXPECT_THROW(state.Load(badHeader), platform::UserError);
  EXPECT_THROW(state.Load(dir.File("missing.sle")), platform::UserError);  // an empty style
  listReadable = false;
  EXPECT_THROW(state.Load(Style("other.sle")), platform::UserError);
  EXPECT_THROW(state.ShowPage(), platform::UserError);
  EXPECT_EQ(state.Path(), good);
  EXPECT_EQ(state.PageLines(), shown);
  EXPECT_EQ(state.OffsetX(), Fixed::FromInt(7));
}

TEST_F(PrintStateFixture, ASavedStyleKeepsTheOffsetsAndPaperNotYetSavedHere) {
  Rows(3);
  std::string path = Style("a.sle");
  state.Load(path);
  state.SetOffsets(Fixed::FromInt(11), Fixed::FromInt(-2));  // changed here, not saved
  // The designer saves the style with other elements and its own paper.
  Style("a.sle", "1.5;-2;13;1");
  state.TakeSavedStyle(path);
  EXPECT_EQ(state.OffsetX(), Fixed::FromInt(11));
  EXPECT_EQ(state.OffsetY(), Fixed::FromInt(-2));
  EXPECT_EQ(state.PaperEntry(), 13);  // not changed here: the file's
  EXPECT_EQ(state.Orientation(), 1);

  // Paper changed here stays too; offsets not changed take the file's.
  state.Load(path);
  state.SetPaper(9, 0);
  Style("a.sle", "4;5;13;1");
  state.TakeSavedStyle(path);
  EXPECT_EQ(state.OffsetX(), Fixed::FromInt(4));
  EXPECT_EQ(state.PaperEntry(), 9);
  EXPECT_EQ(state.Orientation(), 0);

  // A paper the designer changed wins over one changed here.
  state.Load(path);
  state.SetPaper(9, 0);
  Style("a.sle", "4;5;12;1");
  state.TakeSavedStyle(path);
  EXPECT_EQ(state.PaperEntry(), 12);
  EXPECT_EQ(state.Orientation(), 1);

  // A new style takes the saved file's header whole.
  state.NewStyle();
  std::string created = Style("new.sle", "0;0;9;0");
  state.TakeSavedStyle(created);
  EXPECT_EQ(state.Path(), created);
  EXPECT_EQ(state.PaperEntry(), 9);
}

TEST_F(PrintStateFixture, TheHeaderGoesIntoThePageAndIntoTheFileAlone) {
  Rows(3);
  std::string path = Style("a.sle");
  state.Load(path);
  state.SetOffsets(Fixed::Parse("1.8").value(), Fixed::FromInt(-12));
  state.SetPaper(13, 1);
  state.StoreHeader(150);
  EXPECT_EQ(state.PageLines()[0], "header;Ver1.1;1.8;-12;13;1;0;150;0;");
  EXPECT_EQ(Shown(), "f1.doc 1");
  // The file as it is now, with only its header replaced.
  std::string before = ReadAll(path);
  state.SaveHeader(100);
  std::string after = ReadAll(path);
  EXPECT_EQ(after.substr(0, after.find("\r\n")), "header;Ver1.1;1.8;-12;13;1;0;100;0;");
  EXPECT_EQ(after.substr(after.find("\r\n")), before.substr(before.find("\r\n")));

  // The default layout keeps the window's offsets and paper.
  state.NewStyle();
  EXPECT_FALSE(state.StyleLoaded());
  EXPECT_EQ(state.PageLines(), std::vector<std::string>{"header;Ver1.1;0;0;0;0;401;100;"});
  EXPECT_EQ(state.PaperEntry(), 13);
}

}  // namespace
}  // namespace printing
