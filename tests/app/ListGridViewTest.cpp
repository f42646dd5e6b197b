// The list grid as the user meets it: read by a screen reader, driven from
// the keyboard, rows chosen several at a time, the sort shown, unreadable
// documents named, rows as high as the desktop's font needs.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app/core/ListGrid.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScanAndWait.h"
#include "widgets/FindBar.h"

namespace app {
namespace {

using testsupport::ReadAll;

struct ListGridView : ProgramFixture {
  void SetUp() override {
    Start();
    std::vector<std::string> lines;
    for (int row = 1; row <= 5; ++row) {
      lines.push_back("d" + std::to_string(row) + ".doc;title " + std::to_string(row) +
                      ";;;Author " + std::to_string(6 - row) + ";;;;;;;");
    }
    OpenList(lines);
    QApplication::setActiveWindow(window.get());
    Grid()->setFocus();
  }

  widgets::FrozenColumnTable* Grid() { return window->Grid(); }
  void Trigger(const char* item) { window->Item(QString::fromLatin1(item))->trigger(); }
  void ClickHeading(int column) {
    QTest::mouseClick(Grid()->HeaderOf(column)->viewport(), Qt::LeftButton, {},
                      Grid()->HeadingRect(column).center());
  }
  // The heading's sort as "column ascending|descending", or "none".
  std::string SortShown() {
    QHeaderView* header = Grid()->horizontalHeader();
    if (!header->isSortIndicatorShown() || header->sortIndicatorSection() < 0) {
      return "none";
    }
    return std::to_string(header->sortIndicatorSection()) +
           (header->sortIndicatorOrder() == Qt::AscendingOrder ? " ascending" : " descending");
  }
  std::string Names() {
    std::string names;
    for (int row = 0; row < window->Documents().RowCount(); ++row) {
      if (window->Documents().HoldsDocument(row)) {
        names += window->Documents().Field(row, 0) + " ";
      }
    }
    return names;
  }
};

TEST_F(ListGridView, AScreenReaderFindsATableWithItsHeadingsAndCells) {
  QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(Grid());
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->role(), QAccessible::Table);
  EXPECT_EQ(grid->text(QAccessible::Name), QStringLiteral("文書の一覧"));
  QAccessibleTableInterface* table = grid->tableInterface();
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->columnCount(), 11);
  for (int col = 0; col < 11; ++col) {
    QString heading = QString::fromUtf8(catalogue::DocumentList::Heading(col));
    EXPECT_EQ(table->columnDescription(col), heading);
    QAccessibleInterface* cell = table->cellAt(0, col);
    ASSERT_NE(cell, nullptr);
    QList<QAccessibleInterface*> headers = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(headers.size(), 1);
    EXPECT_EQ(headers[0]->text(QAccessible::Name), heading);
  }
  EXPECT_EQ(table->cellAt(2, 0)->text(QAccessible::Name), QStringLiteral("d3.doc"));
  EXPECT_EQ(table->cellAt(2, 1)->text(QAccessible::Name), QStringLiteral("title 3"));
  EXPECT_EQ(table->cellAt(2, 4)->text(QAccessible::Name), QStringLiteral("Author 3"));
  // The emblems are named, not silent pictures.
  for (const char* emblem : {"IconButton1", "IconButton8"}) {
    QWidget* picture = window->findChild<QWidget*>(QString::fromLatin1(emblem));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(picture)->text(QAccessible::Name).isEmpty())
        << emblem;
  }
}

TEST_F(ListGridView, SeveralRowsGoAfterOneQuestionAndComeBackInOneUndo) {
  Grid()->SelectRows(1, {1, 3, 4});
  dialogs.answers = {widgets::Dialogs::Answer::Second};  // キャンセル first
  Trigger("N19");
  EXPECT_EQ(Names(), "d1.doc d2.doc d3.doc d4.doc d5.doc ");
  dialogs.answers = {widgets::Dialogs::Answer::First};
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_EQ(dialogs.shown.back(), QStringLiteral("ask: 3 件の文書を一覧から削除しますか？"));
  EXPECT_EQ(dialogs.shown.size(), 2);  // one question each time, whatever the count
  EXPECT_EQ(Names(), "d1.doc d3.doc ");
  EXPECT_EQ(ReadAll(paths.ListFile()).find("d2.doc"), std::string::npos);
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("DocumentCount"))->text(),
            QStringLiteral("2 件"));
  QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Names(), "d1.doc d2.doc d3.doc d4.doc d5.doc ");
  EXPECT_EQ(Grid()->SelectedRows(), (std::vector<int>{1, 3, 4}));
  EXPECT_NE(ReadAll(paths.ListFile()).find("d5.doc"), std::string::npos);
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("DocumentCount"))->text(),
            QStringLiteral("5 件"));
  // Ctrl+C copies the rows chosen; クリップボード出力 still the whole list.
  QTest::keyClick(Grid(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(desktop.clipboard, QStringLiteral("d2.doc,title 2,,,Author 4,,,,,,,,\r\n"
                                              "d4.doc,title 4,,,Author 2,,,,,,,,\r\n"
                                              "d5.doc,title 5,,,Author 1,,,,,,,,\r\n"));
  EXPECT_TRUE(desktop.clipboardHtml.contains(QStringLiteral("<th>ファイル名</th>")));
  EXPECT_FALSE(desktop.clipboardHtml.contains(QStringLiteral("d1.doc")));
  Trigger("N10");
  EXPECT_TRUE(desktop.clipboard.startsWith(QStringLiteral("d1.doc,")));
  // Every row chosen, the blank ones after the documents too: the question
  // counts the documents.
  QTest::keyClick(Grid(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_GT(Grid()->SelectedRows().size(), 5u);
  dialogs.answers = {widgets::Dialogs::Answer::Second};
  QTest::keyClick(Grid(), Qt::Key_Delete);
  EXPECT_EQ(dialogs.shown.back(), QStringLiteral("ask: 5 件の文書を一覧から削除しますか？"));
}

TEST_F(ListGridView, EnterF2AndTheMenuKeysWorkOnTheCurrentRow) {
  SelectRow(3);
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_F2}) {
    QString caption;
    WithDialog<commands::RowEditDialog>(
        editDialog,
        [&](commands::RowEditDialog& dialog) {
          caption = dialog.GroupCaption();
          dialog.Cancel();
        },
        [&] { QTest::keyClick(Grid(), key); });
    EXPECT_EQ(caption, QStringLiteral("d3.doc")) << key;
  }
  auto* menu = window->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
  ASSERT_NE(menu, nullptr);
  int shown = 0;
  QObject::connect(menu, &QMenu::aboutToShow, menu, [&] {
    ++shown;
    QTimer::singleShot(0, menu, &QMenu::close);
  });
  QTest::keyClick(Grid(), Qt::Key_F10, Qt::ShiftModifier);
  QTest::keyClick(Grid(), Qt::Key_Menu);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(SelectedRow(), 3);
  // Every item of every menu has an access key.
  for (QMenu* each : window->findChildren<QMenu*>()) {
    for (QAction* action : each->actions()) {
      if (!action->isSeparator()) {
        EXPECT_TRUE(action->text().contains(QLatin1Char('&'))) << action->text().toStdString();
      }
    }
  }
  EXPECT_EQ(window->Item(QStringLiteral("N30"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
  EXPECT_EQ(window->Item(QStringLiteral("CSV1"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
}

TEST_F(ListGridView, TheHeadingShowsTheSortAndUndoBringsItBack) {
  EXPECT_EQ(SortShown(), "none");
  ClickHeading(4);
  EXPECT_EQ(SortShown(), "4 ascending");
  EXPECT_EQ(Names(), "d5.doc d4.doc d3.doc d2.doc d1.doc ");
  ClickHeading(4);
  EXPECT_EQ(SortShown(), "4 descending");
  ClickHeading(0);  // a frozen column's heading
  EXPECT_EQ(SortShown(), "0 ascending");
  EXPECT_EQ(Grid()->HeaderOf(0)->sortIndicatorSection(), 0);
  QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(SortShown(), "4 descending");
  QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(SortShown(), "4 ascending");
  // The next click goes on from the sort shown: descending.
  ClickHeading(4);
  EXPECT_EQ(SortShown(), "4 descending");
  EXPECT_EQ(Names(), "d1.doc d2.doc d3.doc d4.doc d5.doc ");
  // A row moved by hand leaves the list sorted by nothing; undone, the sort
  // is back.
  Trigger("N23");
  EXPECT_EQ(SortShown(), "none");
  QTest::keyClick(Grid(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(SortShown(), "4 descending");
}

TEST_F(ListGridView, TheFindBarFindsTheNextRowHoldingItsText) {
  SelectRow(1);
  QTest::keyClick(Grid(), Qt::Key_F, Qt::ControlModifier);
  widgets::FindBar* bar = window->FindBar();
  ASSERT_TRUE(bar->isVisible());
  EXPECT_TRUE(bar->TextBox()->hasFocus());
  QTest::keyClicks(bar->TextBox(), QStringLiteral("AUTHOR 2"));
  QTest::keyClick(bar->TextBox(), Qt::Key_Return);
  EXPECT_EQ(SelectedRow(), 4);
  QTest::keyClick(bar->TextBox(), Qt::Key_F3);
  EXPECT_EQ(SelectedRow(), 4);  // the only one: found again
  bar->TextBox()->setText(QStringLiteral("title"));
  Trigger("FindNext");
  EXPECT_EQ(SelectedRow(), 5);
  Trigger("FindNext");
  EXPECT_EQ(SelectedRow(), 1);  // round from the top
  bar->TextBox()->setText(QStringLiteral("nowhere"));
  Trigger("FindNext");
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("nowhere")));
  bar->TextBox()->setFocus();
  QTest::keyClick(bar->TextBox(), Qt::Key_Escape);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(Grid()->hasFocus());
}

// Unreadable documents keep their empty line in the list file, but the grid
// names them, greyed, with the reason.
TEST_F(ProgramFixture, UnreadableDocumentsAreNamedGreyedWithTheReason) {
  testsupport::TempDir documents;
  testsupport::WriteSampleDocuments(documents.path());
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.OpenFolder(QString::fromStdString(documents.path()));
    testsupport::ScanAndWait(dialog);
  });
  QAbstractItemModel* model = window->Grid()->model();
  int memo = -1;
  for (int row = 0; row < model->rowCount(); ++row) {
    if (model->index(row, 0).data().toString() == QStringLiteral("memo.rtf")) {
      memo = row;
    }
  }
  ASSERT_GE(memo, 0);
  EXPECT_EQ(Cell(0, memo + 1), "");  // the list holds no name for it
  EXPECT_EQ(model->index(memo, 0).data(Qt::ForegroundRole).value<QBrush>().color(),
            QColor(128, 128, 128));
  EXPECT_TRUE(model->index(memo, 0)
                  .data(Qt::ToolTipRole)
                  .toString()
                  .contains(QStringLiteral("未対応ファイルです")));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("DocumentCount"))->text(),
            QStringLiteral("4 件"));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("UnreadableCount"))->text(),
            QStringLiteral("読み取れなかった文書 2 件"));
  EXPECT_EQ(ReadAll(paths.ListFile()).find("memo.rtf"), std::string::npos);
  window->CopyToClipboard();
  EXPECT_FALSE(desktop.clipboard.contains(QStringLiteral("memo.rtf")));
  // Opened again, the list knows only that the row could not be read.
  window->OpenLastList();
  EXPECT_EQ(model->index(memo, 0).data().toString(), QStringLiteral("（読み取れなかった文書）"));
}

// Rows fit the text of the font in use: the designed 17 pixels at the
// designed font, higher for Noto Sans CJK JP at 10 and 12 points.
TEST_F(ProgramFixture, RowsAreTallEnoughForTheDesktopsFont) {
  QFont before = QApplication::font();
  for (int points : {10, 12}) {
    QFont noto(QStringLiteral("Noto Sans CJK JP"), points);
    if (QFontInfo(noto).family() != QStringLiteral("Noto Sans CJK JP")) {
      GTEST_SKIP() << "Noto Sans CJK JP is not installed";
    }
    QApplication::setFont(noto);
    Start();
    OpenList({"gjpqy.doc;報告 gjpqy 𠮷;;;;;;;;;;"});
    widgets::FrozenColumnTable* grid = window->Grid();
    QStyleOptionViewItem option;
    option.initFrom(grid);
    option.font = grid->font();
    for (int col : {0, 1}) {
      int needed = grid->itemDelegate()->sizeHint(option, grid->model()->index(0, col)).height();
      EXPECT_GE(grid->RowHeight(), needed) << points << " pt, column " << col;
    }
    EXPECT_GT(grid->RowHeight(), kListGridRowHeight) << points;
    Stop();
  }
  QApplication::setFont(before);
  QFont designed(QStringLiteral("IPAPGothic"));
  designed.setPixelSize(12);
  QApplication::setFont(designed);
  Start();
  EXPECT_EQ(window->Grid()->RowHeight(), kListGridRowHeight);
  Stop();
  QApplication::setFont(before);
}

}  // namespace
}  // namespace app
