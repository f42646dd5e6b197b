// The print window on the offscreen platform with a fake printer, scripted
// dialogs and a temporary program folder.

#include "printing/ui/PrintWindow.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "catalogue/core/ListFile.h"
#include "layout/core/StyleFile.h"
#include "layout/qt/QtPictureDecoder.h"
#include "platform/text/Cp932.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/FakePrinter.h"
#include "tests/support/PrintWindowServicesForTests.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"
#include "tests/support/TextField.h"

namespace printing {
namespace {

using testsupport::ReadAll;
using testsupport::ShownText;

struct PrintWindowFixture : ::testing::Test {
  testsupport::TempDir folder;
  platform::ProgramPaths paths{folder.path(), "quillmark_wd"};
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop desktop;
  testsupport::FakePrinter printer;
  FixedClock clock{*MakeDate(2026, 12, 7)};
  std::unique_ptr<PrintWindow> window;

  std::string Style(const std::string& name, int capacity) {
    QDir().mkpath(QString::fromStdString(paths.File("style")));
    return folder.Write("style/" + name,
                        "header;Ver1.1;1.5;-2;9;0;0;100;0;\r\n"
                        "0;0;0;0;line;10;20;200;20;2;x;0;0;\r\n"
                        "0;0;0;0;char;15;25;15;25;0;0;0;0;F;12;;0;0;0;#ma_01 #pg;0;0;\r\n"
                        "0;0;0;0;data;0;0;0;0;0;0;0;0;x;10;;0;0;0;#maxline=" +
                            std::to_string(capacity) + ";0;0;\r\n");
  }

  void List(int records) {
    std::vector<std::string> lines;
    for (int i = 1; i <= records; ++i) {
      lines.push_back("f" + std::to_string(i) + ".doc;;;;;;;;;;;,");
    }
    catalogue::WriteListFile(paths.ListFile(), lines);
  }

  // Opens the window as the print command does and lets its start run.
  // The pictures the window draws with; none: pictures are not drawn.
  layout::PictureDecoder* pictures = nullptr;

  void Open() {
    PrintWindowServices s =
        testsupport::PrintWindowServicesFor(paths, dialogs, desktop, printer, clock);
    s.pictures = pictures;
    window = std::make_unique<PrintWindow>(s);
    window->show();
    QApplication::processEvents();
  }

  // The text of the first text element as bound.
  std::string BoundText() { return testsupport::TextField(window->State().PageLines().at(2)); }
};

TEST_F(PrintWindowFixture, StartsWithTheEmptyLayoutAndAsksForAStyle) {
  List(3);
  Open();
  ASSERT_EQ(dialogs.openFolders.size(), 1);
  EXPECT_EQ(dialogs.openFolders[0], QString::fromStdString(paths.File("style")));
  EXPECT_EQ(window->State().PageLines(),
            std::vector<std::string>{"header;Ver1.1;0;0;0;0;401;100;"});
  EXPECT_FALSE(window->State().StyleLoaded());
  EXPECT_EQ(ShownText(*window, "ChangeStatus"), QStringLiteral("変更なし"));
  EXPECT_EQ(ReadPrinterMetrics(printer).sheetWidthMm, 210);
  window->close();
  window.reset();
  EXPECT_NE(ReadAll(paths.SettingsFile()).find("[fdataprint]"), std::string::npos);
}

TEST_F(PrintWindowFixture, PagingWrapsAfterTheLastPage) {
  List(45);
  dialogs.openNames = {QString::fromStdString(Style("a.sle", 20))};
  Open();
  EXPECT_EQ(BoundText(), "f1.doc 1");
  EXPECT_EQ(ShownText(*window, "ofxbox"), QStringLiteral("1.5"));
  EXPECT_EQ(ShownText(*window, "BoxLabel1"), QStringLiteral("A4 210 x 297 mm"));
  EXPECT_EQ(printer.applied.back(), "9/0");
  window->NextPage();
  EXPECT_EQ(BoundText(), "f21.doc 2");
  window->NextPage();
  EXPECT_EQ(BoundText(), "f41.doc 3");
  EXPECT_EQ(window->State().PageNumber(), 0);
  window->NextPage();
  EXPECT_EQ(BoundText(), "f1.doc 1");
  window->NextPage();
  window->FirstPage();
  EXPECT_EQ(BoundText(), "f1.doc 1");
}

// Opened from the main window, the window binds the list it is given in
// memory, not the list file: a file changed or gone meanwhile changes
// nothing, and the rows of unreadable files are left out as ever.
TEST_F(PrintWindowFixture, TheMainWindowsListIsBoundFromMemory) {
  catalogue::DocumentList documents(3);
  documents.SetField(0, 0, "memo.doc");
  documents.SetField(2, 0, "plan.doc");  // row 1 is an unreadable file's
  List(3);                               // the hand-off file, then gone
  std::filesystem::remove(paths.ListFile());
  dialogs.openNames = {QString::fromStdString(Style("a.sle", 20))};
  PrintWindowServices s =
      testsupport::PrintWindowServicesFor(paths, dialogs, desktop, printer, clock);
  s.documents = &documents;
  window = std::make_unique<PrintWindow>(s);
  window->show();
  QApplication::processEvents();
  EXPECT_EQ(BoundText(), "memo.doc 1");
  EXPECT_TRUE(window->State().StyleLoaded());
  EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.value(0).toStdString();
}

// The style chosen last is shown again the next time, without asking;
// Ctrl+L still chooses another, from the shown style's folder. A style
// that is gone is asked for again.
TEST_F(PrintWindowFixture, TheStyleChosenLastIsShownAgain) {
  List(3);
  QDir().mkpath(QString::fromStdString(folder.File("報告_김민수")));
  std::string chosen = folder.Write("報告_김민수/b.sle", ReadAll(Style("a.sle", 20)));
  dialogs.openNames = {QString::fromStdString(chosen)};
  Open();
  ASSERT_TRUE(window->State().StyleLoaded());
  window->close();
  window.reset();

  Open();
  EXPECT_EQ(dialogs.openFolders.size(), 1);  // not asked again
  EXPECT_TRUE(window->State().StyleLoaded());
  EXPECT_EQ(window->State().Path(), chosen);
  dialogs.openNames = {QString::fromStdString(paths.File("style/a.sle"))};
  QTest::keyClick(window.get(), Qt::Key_L, Qt::ControlModifier);
  ASSERT_EQ(dialogs.openFolders.size(), 2);
  EXPECT_EQ(dialogs.openFolders[1], QString::fromStdString(folder.File("報告_김민수")));
  EXPECT_EQ(window->State().Path(), paths.File("style/a.sle"));
  window->close();
  window.reset();

  std::filesystem::remove(paths.File("style/a.sle"));
  Open();
  EXPECT_EQ(dialogs.openFolders.size(), 3);
  EXPECT_FALSE(window->State().StyleLoaded());
}

TEST_F(PrintWindowFixture, TheLoadIconKeepsThePageAndStyleSelectionStartsAtOne) {
  List(45);
  std::string a = Style("a.sle", 20);
  std::string b = Style("b.sle", 20);
  dialogs.openNames = {QString::fromStdString(a)};
  Open();
  window->NextPage();
  dialogs.openNames = {QString::fromStdString(b)};
  window->ChooseStyleKeepingPage();
  EXPECT_EQ(window->State().Path(), b);
  EXPECT_EQ(BoundText(), "f21.doc 2");
  dialogs.openNames = {QString::fromStdString(a)};
  window->ChooseStyle();
  EXPECT_EQ(BoundText(), "f1.doc 1");
  // A cancelled dialog leaves the loaded style.
  window->ChooseStyle();
  EXPECT_EQ(window->State().Path(), a);
}

TEST_F(PrintWindowFixture, OffsetsStepAndSavingRewritesOnlyTheHeader) {
  List(3);
  std::string style = Style("a.sle", 20);
  std::string before = ReadAll(style);
  dialogs.openNames = {QString::fromStdString(style)};
  Open();
  for (int i = 0; i < 3; ++i) {
    window->StepOffset(1, 0, true, false);
  }
  EXPECT_EQ(ShownText(*window, "ofxbox"), QStringLiteral("1.8"));
  window->StepOffset(0, -1, false, true);
  EXPECT_EQ(ShownText(*window, "ofybox"), QStringLiteral("-12"));
  EXPECT_EQ(window->State().PageLines()[0], "header;Ver1.1;1.8;-12;9;0;0;100;0;");
  window->SaveSettings();
  std::string after = ReadAll(style);
  EXPECT_EQ(after.substr(0, after.find("\r\n")), "header;Ver1.1;1.8;-12;9;0;0;100;0;");
  EXPECT_EQ(after.substr(after.find("\r\n")), before.substr(before.find("\r\n")));
  EXPECT_EQ(dialogs.shown.back(), QStringLiteral("info: 全体位置と用紙設定を保存しました"));
  EXPECT_EQ(window->State().PageNumber(), 0);  // page 1 bound again, and it is the last
}

// The paper setup icon stores the printer's paper into the style, but
// never a paper the printer does not have: that is said, and the header
// stays as it was.
TEST_F(PrintWindowFixture, APaperThePrinterLacksIsSaidAndNotStored) {
  List(3);
  dialogs.openNames = {QString::fromStdString(Style("a.sle", 20))};
  Open();
  printer.paper = {13, true};  // chosen in the dialog: B5, landscape
  window->PaperSetupIntoStyle();
  EXPECT_EQ(window->State().PageLines()[0], "header;Ver1.1;1.5;-2;13;1;0;100;0;");
  EXPECT_TRUE(ShownText(*window, "MessageStatus").isEmpty());

  printer.lacking = {43};
  printer.paper = {43, false};  // the dialog left a paper the printer lacks
  window->PaperSetupIntoStyle();
  EXPECT_EQ(window->State().PageLines()[0], "header;Ver1.1;1.5;-2;13;1;0;100;0;");
  EXPECT_EQ(
      ShownText(*window, "MessageStatus"),
      QStringLiteral("プリンター「fake」には用紙「Japanese Postcard 100 x 148 mm」がありません。"
                     "スタイルの用紙は変えません"));
  window->Item(QStringLiteral("N17"))->trigger();  // the menu's paper setup says it too
  EXPECT_TRUE(ShownText(*window, "MessageStatus").contains(QStringLiteral("がありません")));
}

TEST_F(PrintWindowFixture, PrintingSendsOnePagePerBoundPage) {
  List(45);
  dialogs.openNames = {QString::fromStdString(Style("a.sle", 20))};
  Open();
  window->PrintAllPages();
  EXPECT_EQ(printer.pages.size(), 3u);
  EXPECT_EQ(window->State().PageNumber(), 0);
  EXPECT_TRUE(
      ShownText(*window, "MessageStatus").startsWith(QStringLiteral("3 ページを印刷しました")));
  printer.pages.clear();
  List(21);
  window->PrintAllPages();
  EXPECT_EQ(printer.pages.size(), 2u);
}

TEST_F(PrintWindowFixture, PrintingUsesTheOffsetsOnScreenWithoutSavingThem) {
  List(3);
  std::string style = Style("a.sle", 20);
  std::string file = ReadAll(style);
  dialogs.openNames = {QString::fromStdString(style)};
  Open();
  window->PrintAllPages();
  ASSERT_EQ(printer.pages.size(), 1u);
  std::vector<std::string> saved = printer.pages[0];
  window->StepOffset(1, 0, false, true);  // 10 mm to the right, not saved
  EXPECT_EQ(ShownText(*window, "ofxbox"), QStringLiteral("11.5"));
  window->PrintAllPages();
  ASSERT_EQ(printer.pages.size(), 2u);
  EXPECT_NE(printer.pages[1], saved);  // the page moved with the offset
  EXPECT_EQ(ShownText(*window, "ofxbox"), QStringLiteral("11.5"));  // the boxes keep it
  EXPECT_EQ(ReadAll(style), file);                                  // the file does not
  // A value typed into a box, without Enter, counts as well.
  window->findChild<QLineEdit*>(QStringLiteral("ofxbox"))->setText(QStringLiteral("1.5"));
  window->PrintAllPages();
  EXPECT_EQ(printer.pages[2], saved);
}

TEST_F(PrintWindowFixture, PrintingWithoutAStyleAsksOnceAndStopsWhenCancelled) {
  List(3);
  Open();
  window->PrintAllPages();
  EXPECT_TRUE(printer.pages.empty());
  EXPECT_EQ(dialogs.openFolders.size(), 2);
}

TEST_F(PrintWindowFixture, APictureThatCannotBeReadIsNamedAndTheRestPrinted) {
  List(3);
  QDir().mkpath(QString::fromStdString(paths.File("style")));
  std::string picture = folder.Write("style/p.tif", "not a picture we read");
  std::string style = folder.Write("style/pic.sle",
                                   "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                                   "1;0;0;0;image;10;10;30;20;1;0;0;" +
                                       picture +
                                       ";\r\n"
                                       "0;0;0;0;line;10;40;100;40;2;x;0;0;\r\n");
  dialogs.openNames = {QString::fromStdString(style)};
  layout::QtPictureDecoder decoder;
  pictures = &decoder;
  Open();
  QApplication::processEvents();  // the preview drawn
  EXPECT_TRUE(ShownText(*window, "MessageStatus").contains(QStringLiteral("2 行目の画像")))
      << ShownText(*window, "MessageStatus").toStdString();
  EXPECT_TRUE(std::none_of(dialogs.shown.begin(), dialogs.shown.end(),
                           [](const QString& s) { return s.startsWith(QStringLiteral("error")); }));
  // Asked before printing, naming the picture; 印刷する prints the rest.
  window->PrintAllPages();
  ASSERT_EQ(printer.pages.size(), 1u);
  EXPECT_GE(printer.pages[0].size(), 5u);  // the frame and the line
  ASSERT_FALSE(dialogs.shown.isEmpty());
  EXPECT_TRUE(dialogs.shown.back().startsWith(
      QStringLiteral("ask: 印刷できない画像があります:\r\n2 行目の画像: 拡張子 .tif")))
      << dialogs.shown.back().toStdString();
  window.reset();  // before the decoder goes
}

// A picture moved away from its style: named in the status line and in
// the question before printing; やめる (Enter) prints nothing.
TEST_F(PrintWindowFixture, AMissingPictureIsSaidBeforePrinting) {
  List(3);
  QDir().mkpath(QString::fromStdString(paths.File("style")));
  std::string style = folder.Write("style/moved.sle",
                                   "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
                                   "0;0;0;0;image;10;10;30;20;1;0;0;logo.bmp;\r\n"
                                   "0;0;0;0;line;10;40;100;40;2;x;0;0;\r\n");
  dialogs.openNames = {QString::fromStdString(style)};
  layout::QtPictureDecoder decoder;
  pictures = &decoder;
  Open();
  QApplication::processEvents();
  const QString said = QStringLiteral("画像ファイル「logo.bmp」が見つかりません");
  EXPECT_TRUE(ShownText(*window, "MessageStatus").contains(said))
      << ShownText(*window, "MessageStatus").toStdString();
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  window->PrintAllPages();
  EXPECT_TRUE(printer.pages.empty());
  ASSERT_FALSE(dialogs.shown.isEmpty());
  EXPECT_TRUE(dialogs.shown.back().startsWith(QStringLiteral("ask: ")));
  EXPECT_TRUE(dialogs.shown.back().contains(said));

  // Put back beside the style, it prints without a question.
  QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(folder.File("style/logo.bmp")));
  dialogs.shown.clear();
  window->PrintAllPages();
  EXPECT_EQ(printer.pages.size(), 1u);
  EXPECT_TRUE(dialogs.shown.filter(QStringLiteral("ask: ")).isEmpty())
      << dialogs.shown.join('|').toStdString();
  window.reset();
}

TEST_F(PrintWindowFixture, BackupWritesTheBoundLines) {
  List(45);
  dialogs.openNames = {QString::fromStdString(Style("a.sle", 20))};
  Open();
  window->NextPage();
  window->WriteBackup();
  EXPECT_NE(ReadAll(paths.File("backup.sle")).find("f21.doc 2"), std::string::npos);
}

TEST_F(PrintWindowFixture, ThePreviewShowsTheDeskTheSheetsMarginsAndThePrintableArea) {
  List(3);
  dialogs.openNames = {QString::fromStdString(Style("a.sle", 20))};
  Open();
  window->resize(1000, 760);
  auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
  auto* sheet = window->findChild<QWidget*>(QStringLiteral("panel1"));
  auto* area = window->findChild<QWidget*>(QStringLiteral("PaintBox1"));
  ASSERT_TRUE(scroll && sheet && area);
  EXPECT_EQ(scroll->verticalScrollBar()->singleStep(), 10);
  EXPECT_EQ(scroll->horizontalScrollBar()->singleStep(), 10);
  for (int zoom : {50, 100, 200}) {
    SCOPED_TRACE("zoom " + std::to_string(zoom));
    window->SetZoom(zoom);
    QApplication::processEvents();
    QImage shot = scroll->viewport()->grab().toImage();
    auto at = [&](QWidget* w, QPoint p) {
      return shot.pixelColor(w->mapTo(scroll->viewport(), p));
    };
    QColor desk = shot.pixelColor(2, 2);       // above the sheet, which stands 8 down
    QColor margin = at(sheet, QPoint(2, 40));  // left of the printable area
    QColor printable = at(area, QPoint(40, 40));
    EXPECT_EQ(printable, QColor(Qt::white));
    EXPECT_NE(margin, printable);
    EXPECT_NE(desk, margin);
    EXPECT_NE(desk, printable);
    // The frame is whole: each side of the printable area has its line.
    QImage frame = area->grab().toImage();
    int right = frame.width() - 1;
    int bottom = frame.height() - 1;
    for (QPoint p : {QPoint(0, 20), QPoint(right, 20), QPoint(20, 0), QPoint(20, bottom)}) {
      EXPECT_EQ(frame.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
    }
  }
}

TEST_F(PrintWindowFixture, Screenshot) {
  QString shots = qEnvironmentVariable("QUILL_SCREENSHOT_DIR");
  if (shots.isEmpty()) {
    GTEST_SKIP() << "set QUILL_SCREENSHOT_DIR to write a picture of the window";
  }
  List(45);
  std::string style = std::string(QUILL_SOURCE_DIR) + "/fuzz/styles/example.sle";
  dialogs.openNames = {QString::fromStdString(style)};
  Open();
  window->resize(1000, 760);
  QDir().mkpath(shots);
  for (int zoom : {50, 100}) {
    window->SetZoom(zoom);
    QApplication::processEvents();
    window->grab().save(shots + QStringLiteral("/print_window_%1.png").arg(zoom));
  }
}

}  // namespace
}  // namespace printing
