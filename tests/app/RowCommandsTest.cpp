// The row, title, output and information commands of the main window,
// driven through its menus with scripted dialogs.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "catalogue/core/ListFile.h"
#include "platform/text/Cp932.h"
#include "tests/app/ProgramFixture.h"
#include "widgets/FrozenColumnTable.h"
#include "widgets/ManualWindow.h"

namespace app {
namespace {

using testsupport::ReadAll;

struct RowCommands : ProgramFixture {
  void SetUp() override {
    Start();
    std::vector<std::string> lines;
    for (int row = 1; row <= 3; ++row) {
      lines.push_back("d" + std::to_string(row) + ".doc;title " + std::to_string(row) +
                      ";;;;;;last author;;;;");
    }
    OpenList(lines);
    SelectRow(2);
  }

  void Trigger(const char* item) { window->Item(QString::fromLatin1(item))->trigger(); }

  // The window takes the keys a user presses (its shortcuts answer only
  // while it is the active window).
  // (Offscreen, a dialog that was shown stays the active window until told.)
  void Activate() {
    QApplication::setActiveWindow(window.get());
    window->Grid()->setFocus();
  }

  // The centre of a cell (row 1 the first document), in the viewport of
  // the grid's part that shows it.
  QPoint At(int col, int row) { return window->Grid()->CellRect(col, row - 1).center(); }
  // A double-click as the user makes one: a click, then the second press.
  void DoubleClick(int col, int row) {
    QWidget* viewport = window->Grid()->ViewportOf(col);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, At(col, row));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, At(col, row));
  }

  void Edit(const std::function<void(commands::RowEditDialog&)>& act) {
    WithDialog(editDialog, act, [this] { Trigger("N21"); });
  }
};

TEST_F(RowCommands, EditThenCancelLeavesGridAndFileAlone) {
  catalogue::WriteListFile(paths.ListFile(), {"old;"});
  Edit([](commands::RowEditDialog& dialog) {
    EXPECT_EQ(dialog.GroupCaption(), QStringLiteral("d2.doc"));
    EXPECT_EQ(dialog.Box(0)->text(), QStringLiteral("title 2"));
    dialog.Box(0)->setText(QStringLiteral("changed"));
    dialog.Cancel();
  });
  EXPECT_EQ(Cell(1, 2), "title 2");
  EXPECT_EQ(ReadAll(paths.ListFile()), "old;\r\n");
}

TEST_F(RowCommands, EditThenExecuteWritesTheRowAndTheListFile) {
  Edit([](commands::RowEditDialog& dialog) {
    dialog.Box(0)->setText(QStringLiteral("新しい題;名"));
    dialog.Box(4)->setText(QStringLiteral("comment"));
    QTest::keyClick(dialog.Box(4), Qt::Key_Return);  // Enter runs 実　行
  });
  EXPECT_EQ(Cell(1, 2), "新しい題;名");  // the grid keeps what was typed
  EXPECT_EQ(Cell(6, 2), "comment");
  EXPECT_EQ(Cell(7, 2), "last author");  // not an edited column
  // In the list file the typed ";" cannot shift the fields the print reads.
  std::string expected =
      "d1.doc;title 1;;;;;;last author;;;;;\r\n" + std::string("d2.doc;") +
      platform::Utf8ToCp932("新しい題；名") +
      ";;;;;comment;last author;;;;;\r\nd3.doc;title 3;;;;;;last author;;;;;\r\n";
  EXPECT_EQ(ReadAll(paths.ListFile()), expected);

  // A character code page 932 lacks is kept: the list becomes UTF-8.
  Edit([](commands::RowEditDialog& dialog) {
    dialog.Box(2)->setText(QStringLiteral("José Müller / 김민수"));
    dialog.Confirm();
  });
  EXPECT_EQ(Cell(4, 2), "José Müller / 김민수");
  EXPECT_EQ(ReadAll(paths.ListFile()),
            "\xEF\xBB\xBF"
            "d1.doc;title 1;;;;;;last author;;;;;\r\n"
            "d2.doc;新しい題；名;;;José Müller / 김민수;;comment;last author;;;;;\r\n"
            "d3.doc;title 3;;;;;;last author;;;;;\r\n");
}

TEST_F(RowCommands, EditKeepsWhatWasOnlyShown) {
  SetCell(3, 2, "𠮷野家の報告 — Résumé ①");
  Edit([](commands::RowEditDialog& dialog) { dialog.Confirm(); });
  EXPECT_EQ(Cell(3, 2), "𠮷野家の報告 — Résumé ①");
}

TEST_F(RowCommands, EditingAnEmptyRowSaysThereIsNothing) {
  std::string list = ReadAll(paths.ListFile());
  SelectRow(10);
  Trigger("N31");
  EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("info: 編集するデータはありません")});
  EXPECT_EQ(ReadAll(paths.ListFile()), list);
}

TEST_F(RowCommands, OnlyExecuteDeletes) {
  dialogs.answers = {widgets::Dialogs::Answer::Second, widgets::Dialogs::Answer::Closed,
                     widgets::Dialogs::Answer::First};
  Trigger("N19");  // キャンセル
  Trigger("N32");  // the window's close button
  EXPECT_EQ(Cell(0, 2), "d2.doc");
  Trigger("N19");  // 実行
  EXPECT_EQ(Cell(0, 2), "d3.doc");
  EXPECT_EQ((window->Documents().RowCount() + 1), 49);
  EXPECT_EQ(dialogs.shown.size(), 3);
  EXPECT_EQ(dialogs.shown[0], QStringLiteral("ask: 『d2.doc』を一覧から削除しますか？"));
  EXPECT_TRUE(window->Grid()->hasFocus() || !window->isActiveWindow());
}

// Escape in either dialog is キャンセル: the row, the title and the list
// file stay as they were.
TEST_F(RowCommands, EscapeCancelsBothDialogs) {
  catalogue::WriteListFile(paths.ListFile(), {"old;"});
  Edit([](commands::RowEditDialog& dialog) {
    dialog.Box(0)->setText(QStringLiteral("changed"));
    QTest::keyClick(dialog.Box(0), Qt::Key_Escape);
  });
  EXPECT_EQ(Cell(1, 2), "title 2");
  EXPECT_EQ(ReadAll(paths.ListFile()), "old;\r\n");
  WithDialog<commands::TitleDialog>(
      titleDialog,
      [](commands::TitleDialog& dialog) {
        dialog.TitleList()->setEditText(QStringLiteral("Report"));
        QTest::keyClick(dialog.TitleList(), Qt::Key_Return);  // Enter runs 実　行
      },
      [this] { Trigger("N30"); });
  EXPECT_EQ(window->TitlePanel()->text(), QStringLiteral("Report"));
  WithDialog<commands::TitleDialog>(
      titleDialog,
      [](commands::TitleDialog& dialog) {
        dialog.TitleList()->setEditText(QStringLiteral("Other"));
        QTest::keyClick(dialog.TitleList(), Qt::Key_Escape);
      },
      [this] { Trigger("N30"); });
  EXPECT_EQ(window->TitlePanel()->text(), QStringLiteral("Report"));
}

// The row a right-click or a double-click is on is the row the command
// acts on; every change can be undone and redone, and each is in the list
// file at once.
TEST_F(RowCommands, TheRowPointedAtIsTheRowActedOnAndEveryChangeUndoes) {
  SetCell(0, 4, "d4.doc");
  Activate();
  widgets::FrozenColumnTable* grid = window->Grid();
  SelectRow(1);
  // A right-click on row 3's file name, then 削除 from the pop-up.
  QTest::mouseClick(grid->ViewportOf(0), Qt::RightButton, {}, At(0, 3));
  EXPECT_EQ(SelectedRow(), 3);
  dialogs.answers = {widgets::Dialogs::Answer::First};
  Trigger("N32");
  EXPECT_EQ(dialogs.shown.back(), QStringLiteral("ask: 『d3.doc』を一覧から削除しますか？"));
  EXPECT_EQ(Cell(0, 3), "d4.doc");
  std::string afterDelete = ReadAll(paths.ListFile());
  EXPECT_EQ(afterDelete.find("d3.doc"), std::string::npos);
  EXPECT_NE(afterDelete.find("d4.doc"), std::string::npos);

  // A double-click on row 2's title edits row 2.
  SelectRow(1);
  QTimer::singleShot(0, [this] {
    EXPECT_EQ(editDialog->GroupCaption(), QStringLiteral("d2.doc"));
    editDialog->Box(0)->setText(QStringLiteral("edited"));
    editDialog->Confirm();
  });
  DoubleClick(1, 2);
  EXPECT_EQ(Cell(1, 2), "edited");

  // Delete from the keyboard, then a click on a heading sorts.
  Activate();
  SelectRow(1);
  dialogs.answers = {widgets::Dialogs::Answer::First};
  QTest::keyClick(grid, Qt::Key_Delete);
  EXPECT_EQ(Cell(0, 1), "d2.doc");
  QWidget* heading = grid->HeaderOf(0)->viewport();
  QTest::mouseClick(heading, Qt::LeftButton, {}, grid->HeadingRect(0).center());
  QTest::mouseClick(heading, Qt::LeftButton, {}, grid->HeadingRect(0).center());  // reversed
  EXPECT_EQ(Cell(0, 1), "d4.doc");
  EXPECT_EQ(Cell(0, 2), "d2.doc");

  // Back, step by step, to the list as it was, and forward again.
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
  }
  EXPECT_FALSE(window->Item(QStringLiteral("Undo"))->isEnabled());
  for (int row = 1; row <= 4; ++row) {
    EXPECT_EQ(Cell(0, row), "d" + std::to_string(row) + ".doc");
  }
  EXPECT_EQ(Cell(1, 2), "title 2");
  EXPECT_NE(ReadAll(paths.ListFile()).find("d3.doc;title 3;"), std::string::npos);
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
  }
  EXPECT_EQ(Cell(0, 1), "d4.doc");
  EXPECT_EQ(Cell(1, 2), "edited");
  EXPECT_FALSE(window->Item(QStringLiteral("Redo"))->isEnabled());
}

// End quits at once, as it always has; nothing of the list is lost: the
// next run opens it again, with its folder and title, from ファイル.
TEST_F(RowCommands, TheListSurvivesEndAndOpensAgainWithItsFolderAndTitle) {
  window->FolderAndTitle().SetFolder("/docs/x");
  window->FolderAndTitle().SetTitle("Catalogue");
  Trigger("N22");  // a change: d2 moves up
  WithDialog<commands::TitleDialog>(
      titleDialog, [](commands::TitleDialog& dialog) { dialog.Confirm(); },
      [this] { Trigger("N30"); });
  Activate();
  QTest::keyClick(window->Grid(), Qt::Key_End);
  EXPECT_FALSE(window->isVisible());
  Stop();
  Start();
  EXPECT_EQ(Cell(0, 1), "");  // the program starts with an empty list
  Activate();
  QTest::keyClick(window->Grid(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(Cell(0, 1), "d2.doc");
  EXPECT_EQ(Cell(0, 2), "d1.doc");
  EXPECT_EQ(Cell(7, 3), "last author");
  EXPECT_EQ(window->FolderLabel()->text(), QStringLiteral("/docs/x"));
  EXPECT_EQ(window->TitlePanel()->text(), QStringLiteral("Catalogue"));
  EXPECT_FALSE(window->Item(QStringLiteral("Undo"))->isEnabled());
}

TEST_F(RowCommands, MovesFollowTheRow) {
  Trigger("N22");
  EXPECT_EQ(Cell(0, 1), "d2.doc");
  EXPECT_EQ(SelectedRow(), 1);
  Trigger("N33");  // already at the top
  EXPECT_EQ(Cell(0, 1), "d2.doc");
  Trigger("N23");
  Trigger("N34");
  EXPECT_EQ(Cell(0, 3), "d2.doc");
  EXPECT_EQ(SelectedRow(), 3);
}

// A row is carried by its file name held a moment; a quick drag there
// selects rows as in a spreadsheet, and moves none.
TEST_F(RowCommands, ARowHeldByItsFileNameMovesInTheList) {
  QWidget* names = window->Grid()->ViewportOf(0);
  QTest::mousePress(names, Qt::LeftButton, {}, At(0, 1));
  QTest::mouseMove(names, At(0, 3));
  QTest::mouseRelease(names, Qt::LeftButton, {}, At(0, 3));
  EXPECT_EQ(Cell(0, 1), "d1.doc");
  EXPECT_EQ(window->Grid()->SelectedRows(), (std::vector<int>{0, 1, 2}));

  QTest::mousePress(names, Qt::LeftButton, {}, At(0, 1));
  QTest::qWait(QApplication::startDragTime() + 150);
  QTest::mouseMove(names, At(0, 3));
  QTest::mouseRelease(names, Qt::LeftButton, {}, At(0, 3));
  EXPECT_EQ(Cell(0, 1), "d2.doc");
  EXPECT_EQ(Cell(0, 3), "d1.doc");
  EXPECT_EQ(Cell(1, 3), "title 1");  // the whole row
  EXPECT_EQ(SelectedRow(), 3);
  EXPECT_EQ(window->Documents().ListLines(';').front().substr(0, 7), "d2.doc;");
}

TEST_F(RowCommands, CsvTwiceToTheSameNameReplacesTheFile) {
  QString csv = QString::fromStdString(programFolder.File("out.csv"));
  dialogs.saveNames = {csv, csv};
  Trigger("CSV1");
  SetCell(0, 2, "");  // passed over, not the end of the list
  SetCell(1, 3, "a, \"b\"");
  Trigger("CSV1");
  EXPECT_EQ(ReadAll(csv.toStdString()),
            "d1.doc,title 1,,,,,,last author,,,,,\r\n"
            "d3.doc,\"a, \"\"b\"\"\",,,,,,last author,,,,,\r\n");
  // Offered in the folder of the last export, named after the list's
  // folder (none here) and the date.
  QString name = QStringLiteral("文書一覧_%1.csv")
                     .arg(QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
  EXPECT_EQ(dialogs.offeredNames,
            (QStringList{QDir::home().filePath(name),
                         QString::fromStdString(programFolder.File(name.toStdString()))}));
  EXPECT_EQ(dialogs.shown.count(QStringLiteral("info: CSVファイルへ出力しました。")), 2);
  // A cancelled dialog writes nothing and says nothing.
  Trigger("CSV1");
  EXPECT_EQ(dialogs.shown.size(), 2);
}

TEST_F(RowCommands, CsvToAnUnwritablePlaceReportsAndKeepsNoPartialFile) {
  dialogs.saveNames = {QString::fromStdString(programFolder.File("missing/out.csv"))};
  Trigger("CSV1");
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].startsWith(QStringLiteral("error: ")));
}

TEST_F(RowCommands, ClipboardGetsTheSameTextInUnicode) {
  SetCell(1, 1, "表題 😀 김");
  Trigger("N10");
  EXPECT_TRUE(desktop.clipboard.startsWith(QStringLiteral("d1.doc,表題 😀 김,")));
  // Beside it, the table a spreadsheet pastes as cells.
  EXPECT_TRUE(desktop.clipboardHtml.contains(
      QStringLiteral("<tr><th>ファイル名</th><th>タイトル</th><th>最終更新日時</th>")));
  EXPECT_TRUE(desktop.clipboardHtml.contains(
      QStringLiteral("<tr><td sdnum=\"1041;0;@\">d1.doc</td><td sdnum=\"1041;0;@\">表題 😀 "
                     "김</td><td sdnum=\"1041;0;@\"></td>")));
  EXPECT_EQ(desktop.clipboardHtml.count(QStringLiteral("<tr>")), 4);
  EXPECT_EQ(desktop.clipboard.count(QStringLiteral(",,\r\n")), 3);
  EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("info: クリップボードへ出力しました。")});
}

TEST_F(RowCommands, WidthCommandsStepByTwoAndStopAtTwo) {
  for (int i = 0; i < 10; ++i) {
    Trigger("N14");
  }
  EXPECT_EQ(window->Grid()->columnWidth(0), 166);
  for (int i = 0; i < 10; ++i) {
    Trigger("N15");
  }
  EXPECT_EQ(window->Grid()->columnWidth(0), 146);
  Trigger("N17");
  EXPECT_EQ(window->Grid()->columnWidth(1), 204);
  for (int i = 0; i < 200; ++i) {
    Trigger("N18");
  }
  EXPECT_EQ(window->Grid()->columnWidth(1), 2);
}

TEST_F(RowCommands, InformationItems) {
  Trigger("N6");
  Trigger("N7");
  Trigger("N28");
  EXPECT_EQ(dialogs.shown,
            (QStringList{QStringLiteral(
                             "info: 現在のメモリーは\r\nFree 6000000000 / Total 25000000000 Bytes"),
                         QStringLiteral("info: 現在の画面解像度は\r\n1280×1024"),
                         QStringLiteral("info: ワードクイルマーク\r\nVersion1.00")}));
  // A manual that is not there is said to be missing, not opened.
  Trigger("N2");
  EXPECT_TRUE(desktop.opened.isEmpty());
  EXPECT_TRUE(
      dialogs.shown.back().startsWith(QStringLiteral("message: 取扱説明書が見つかりません")))
      << dialogs.shown.back().toStdString();
  // The HTML manual shows in the program's own window, whatever the desktop
  // would open HTML with (or nothing at all); a link out of it goes to the
  // desktop.
  programFolder.Write("quillmark_wd.html",
                      "<html><body><h1>説明</h1><a href=\"https://example.org/x\">x</a>"
                      "<a href=\"#top\">top</a></body></html>");
  Trigger("N2");
  EXPECT_TRUE(desktop.opened.isEmpty());
  auto* manual = window->findChild<widgets::ManualWindow*>(QStringLiteral("ManualWindow"));
  ASSERT_NE(manual, nullptr);
  EXPECT_TRUE(manual->isVisible());
  EXPECT_TRUE(manual->Browser()->toPlainText().contains(QStringLiteral("説明")));
  emit manual->Browser()->anchorClicked(QUrl(QStringLiteral("#top")));
  EXPECT_TRUE(desktop.opened.isEmpty());
  emit manual->Browser()->anchorClicked(QUrl(QStringLiteral("https://example.org/x")));
  ASSERT_EQ(desktop.opened.size(), 1);
  EXPECT_EQ(desktop.opened[0], QStringLiteral("https://example.org/x"));
  manual->close();
  Activate();
  QTest::keyClick(window->Grid(), Qt::Key_F1);
  EXPECT_TRUE(manual->isVisible());
  EXPECT_EQ(window->findChildren<widgets::ManualWindow*>().size(), 1);  // the same window
  desktop.opened.clear();
  Trigger("N3");
  Trigger("N4");
  ASSERT_EQ(desktop.opened.size(), 2);
  programFolder.Write("quillmark_wd.chm", "x");  // a compiled help file: the desktop's
  Trigger("N2");
  EXPECT_TRUE(desktop.opened.back().endsWith(QStringLiteral("/quillmark_wd.chm")));
  EXPECT_EQ(desktop.opened[0], QStringLiteral("mailto:support@fernhollow.example"));
  EXPECT_EQ(desktop.opened[1], QStringLiteral("https://www.fernhollow.example/"));

  // Nothing installed to open links, or no editor: the user is told.
  desktop.canOpen = false;
  int before = dialogs.shown.size();
  Trigger("N4");
  Trigger("N5");
  ASSERT_EQ(dialogs.shown.size(), before + 2);
  EXPECT_TRUE(dialogs.shown[before].contains(QStringLiteral("ホームページを開けませんでした")));
  EXPECT_TRUE(dialogs.shown[before + 1].contains(QStringLiteral("テキストエディター")));
}

TEST_F(RowCommands, ShiftOnTheEditorItemShowsItsCaptionAndBindsCtrlM) {
  desktop.shift = true;
  Trigger("N5");
  EXPECT_EQ(desktop.editorsStarted, 0);
  EXPECT_EQ(dialogs.shown.back(), QStringLiteral("message: メモ帳を起動"));
  EXPECT_EQ(window->Item(QStringLiteral("N5"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
  desktop.shift = false;
  Trigger("N5");
  EXPECT_EQ(desktop.editorsStarted, 1);
}

TEST_F(RowCommands, PrintNeedsAFolderThenHandsTheRowsOver) {
  int windows = 0;
  UsePrintWindowsThatCloseAtOnce(windows);
  std::string list = ReadAll(paths.ListFile());
  Trigger("N8");
  EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("info: フォルダ－が指定されていません")});
  EXPECT_EQ(windows, 0);
  EXPECT_EQ(ReadAll(paths.ListFile()), list);

  window->FolderAndTitle().SetFolder("/docs");
  SetCell(0, 2, "");  // passed over, not the end of the list
  Trigger("N8");
  EXPECT_EQ(windows, 1);
  EXPECT_EQ(ReadAll(paths.ListFile()),
            "d1.doc;title 1;;;;;;last author;;;;,\r\nd3.doc;title 3;;;;;;last author;;;;,\r\n");
}

TEST_F(RowCommands, TitleDialogSetsTheTitleAndKeepsTheHistory) {
  Stop();  // the history file is read when the program starts
  programFolder.Write(commands::kTitleHistoryFileName, "Annual Report\r\nMemo\r\n");
  Start();
  auto title = [&](const QString& text, bool execute) {
    WithDialog<commands::TitleDialog>(
        titleDialog,
        [&](commands::TitleDialog& dialog) {
          dialog.TitleList()->setEditText(text);
          execute ? dialog.Confirm() : dialog.Cancel();
        },
        [this] { window->EnterReportTitle(); });
  };
  title(QStringLiteral("annual report"), true);
  EXPECT_EQ(window->TitlePanel()->text(), QStringLiteral("annual report"));  // as typed
  title(QStringLiteral("下書き"), false);
  EXPECT_EQ(window->TitlePanel()->text(), QStringLiteral("annual report"));  // cancelled
  EXPECT_EQ(titleDialog->TitleList()->itemText(0), QStringLiteral("下書き"));
  EXPECT_EQ(titleDialog->TitleList()->itemText(1), QStringLiteral("Annual Report"));
  title(QString(), true);
  EXPECT_EQ(window->TitlePanel()->text(), QString());
  Stop();
  EXPECT_EQ(ReadAll(paths.ConfigFile(commands::kTitleHistoryFileName)),
            platform::Utf8ToCp932("下書き") + "\r\nAnnual Report\r\nMemo\r\n");
}

TEST_F(RowCommands, TheTitleBoxKeepsTheTextAsTyped) {
  Stop();  // the history file is read when the program starts
  programFolder.Write(commands::kTitleHistoryFileName, "Cancelled Title\r\n");
  Start();
  WithDialog<commands::TitleDialog>(
      titleDialog,
      [](commands::TitleDialog& dialog) {
        QLineEdit* box = dialog.TitleList()->lineEdit();
        box->clear();
        QTest::keyClicks(box, QStringLiteral("Cance"));
        EXPECT_EQ(dialog.TitleList()->currentText(), QStringLiteral("Cance"));
        dialog.Confirm();
      },
      [this] { window->EnterReportTitle(); });
  EXPECT_EQ(window->TitlePanel()->text(), QStringLiteral("Cance"));
}

}  // namespace
}  // namespace app
