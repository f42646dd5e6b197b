#include "widgets/FrozenColumnTable.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>

namespace widgets {
namespace {

struct TableFixture : ::testing::Test {
  QStandardItemModel model{40, 6};
  FrozenColumnTable table{2};

  void SetUp() override {
    for (int row = 0; row < model.rowCount(); ++row) {
      for (int col = 0; col < model.columnCount(); ++col) {
        model.setItem(row, col, new QStandardItem(QStringLiteral("r%1c%2").arg(row).arg(col)));
      }
    }
    table.setModel(&model);
    table.SetRowHeight(17);
    for (int col = 0; col < 6; ++col) {
      table.SetColumnWidth(col, 90);
    }
    table.resize(400, 300);
    table.show();
    QApplication::setActiveWindow(&table);
    table.setFocus();
    QApplication::processEvents();  // laid out as shown
  }

  // A double-click as the user makes one: a click, then the second press
  // (Qt's test double-click alone is only the second).
  void DoubleClick(int col, int row) {
    Click(col, row);
    QTest::mouseDClick(table.ViewportOf(col), Qt::LeftButton, {},
                       table.CellRect(col, row).center());
  }

  void Click(int col, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(table.ViewportOf(col), Qt::LeftButton, modifiers,
                      table.CellRect(col, row).center());
  }
};

TEST_F(TableFixture, RowsAreChosenAsInASpreadsheet) {
  Click(0, 2);
  EXPECT_EQ(table.CurrentRow(), 2);
  Click(3, 5, Qt::ShiftModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{2, 3, 4, 5}));
  QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{2, 3, 4, 5, 6}));
  Click(1, 8, Qt::ControlModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{2, 3, 4, 5, 6, 8}));
  QTest::keyClick(&table, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(table.SelectedRows().size(), 40u);
  // A drag down the frozen cells selects the rows it passes.
  QWidget* frozen = table.ViewportOf(0);
  QTest::mousePress(frozen, Qt::LeftButton, {}, table.CellRect(0, 1).center());
  QTest::mouseMove(frozen, table.CellRect(0, 3).center());
  QTest::mouseRelease(frozen, Qt::LeftButton, {}, table.CellRect(0, 3).center());
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{1, 2, 3}));
  table.SelectRows(7, {6, 7, 10});
  EXPECT_EQ(table.CurrentRow(), 7);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{6, 7, 10}));
}

// Shift extends from the row chosen last, wherever it was chosen: in the
// frozen part, in the rest, or by the program (a find, an undo).
TEST_F(TableFixture, ShiftExtendsFromTheRowChosenLastInEitherPart) {
  table.resize(400, 700);  // rows 0 to 30 in view
  QApplication::processEvents();
  Click(3, 2);
  Click(4, 5, Qt::ShiftModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{2, 3, 4, 5}));
  Click(0, 8);
  Click(3, 10, Qt::ShiftModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{8, 9, 10}));
  Click(4, 12);
  Click(1, 14, Qt::ShiftModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{12, 13, 14}));
  QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{12, 13, 14, 15}));
  table.SelectRows(20, {20});
  QTest::keyClick(&table, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{20, 21}));
  Click(0, 25, Qt::ShiftModifier);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{20, 21, 22, 23, 24, 25}));
}

TEST_F(TableFixture, TheFrozenColumnsStayWhileTheRestScrollsSideways) {
  QScrollBar* sideways = table.horizontalScrollBar();
  ASSERT_GT(sideways->maximum(), 0);
  sideways->setValue(sideways->maximum());
  EXPECT_TRUE(table.CellRect(0, 0).isValid());
  EXPECT_TRUE(table.CellRect(1, 0).isValid());
  EXPECT_EQ(table.CellRect(0, 0).left(), 0);
  EXPECT_TRUE(table.CellRect(5, 0).isValid());
  // Widths are one: the frozen part grows with its columns.
  table.SetColumnWidth(1, 140);
  EXPECT_EQ(table.FrozenView()->columnWidth(1), 140);
  EXPECT_EQ(table.FrozenView()->width(), 90 + 140);
  table.FrozenView()->horizontalHeader()->resizeSection(0, 60);
  EXPECT_EQ(table.columnWidth(0), 60);
  // Frozen columns wider than the table scroll with the others rather
  // than hide them.
  table.SetColumnWidth(0, 4000);
  QApplication::processEvents();  // the scroll range follows
  EXPECT_FALSE(table.FrozenView()->isVisible());
  sideways->setValue(sideways->maximum());
  EXPECT_TRUE(table.CellRect(5, 0).isValid());
  EXPECT_FALSE(table.CellRect(0, 0).isValid());  // scrolled away with the rest
  table.SetColumnWidth(0, 60);
  EXPECT_TRUE(table.FrozenView()->isVisible());
  // Scrolling down scrolls both parts.
  table.verticalScrollBar()->setValue(3);
  EXPECT_EQ(table.FrozenView()->verticalScrollBar()->value(), 3);
  EXPECT_EQ(table.FrozenView()->rowAt(0), table.rowAt(0));
  table.SelectRows(30, {30});  // brought into view, both parts
  EXPECT_TRUE(table.CellRect(0, 30).isValid());
  EXPECT_EQ(table.FrozenView()->rowAt(0), table.rowAt(0));
  EXPECT_EQ(sideways->value(), sideways->maximum());  // not scrolled sideways
}

TEST_F(TableFixture, ARowHeldAMomentIsCarriedAndAQuickDragIsNot) {
  QSignalSpy dropped(&table, &FrozenColumnTable::rowDropped);
  QWidget* frozen = table.ViewportOf(0);
  QTest::mousePress(frozen, Qt::LeftButton, {}, table.CellRect(0, 1).center());
  QTest::qWait(QApplication::startDragTime() + 150);
  QTest::mouseMove(frozen, table.CellRect(0, 4).center());
  QTest::mouseRelease(frozen, Qt::LeftButton, {}, table.CellRect(0, 4).center());
  ASSERT_EQ(dropped.count(), 1);
  EXPECT_EQ(dropped[0][0].toInt(), 1);
  EXPECT_EQ(dropped[0][1].toInt(), 4);
  // Held on the title (not the file name): no row is carried.
  QTest::mousePress(frozen, Qt::LeftButton, {}, table.CellRect(1, 1).center());
  QTest::qWait(QApplication::startDragTime() + 150);
  QTest::mouseMove(frozen, table.CellRect(1, 4).center());
  QTest::mouseRelease(frozen, Qt::LeftButton, {}, table.CellRect(1, 4).center());
  EXPECT_EQ(dropped.count(), 1);
}

TEST_F(TableFixture, EnterF2DoubleClickAndTheMenuKeysActOnTheCurrentRow) {
  QSignalSpy edit(&table, &FrozenColumnTable::editRequested);
  Click(2, 3);
  QTest::keyClick(&table, Qt::Key_Return);
  QTest::keyClick(&table, Qt::Key_F2);
  DoubleClick(0, 6);
  EXPECT_EQ(edit.count(), 3);
  EXPECT_EQ(table.CurrentRow(), 6);

  QMenu menu;
  menu.addAction(QStringLiteral("x"));
  table.SetPopupMenu(&menu);
  int shown = 0;
  QObject::connect(&menu, &QMenu::aboutToShow, [&] {
    ++shown;
    QTimer::singleShot(0, &menu, &QMenu::close);
  });
  QTest::keyClick(&table, Qt::Key_F10, Qt::ShiftModifier);
  QTest::keyClick(&table, Qt::Key_Menu);
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(table.CurrentRow(), 6);
  // A right-click on a row outside the selection selects it alone; inside
  // it, the selection stays for the menu to act on.
  table.SelectRows(2, {2, 3, 4});
  QPoint insidePos = table.CellRect(3, 3).center();
  QContextMenuEvent inside(QContextMenuEvent::Mouse, insidePos,
                           table.viewport()->mapToGlobal(insidePos));
  QApplication::sendEvent(table.viewport(), &inside);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(table.CurrentRow(), 3);
  QPoint outsidePos = table.CellRect(3, 8).center();
  QContextMenuEvent outside(QContextMenuEvent::Mouse, outsidePos,
                            table.viewport()->mapToGlobal(outsidePos));
  QApplication::sendEvent(table.viewport(), &outside);
  EXPECT_EQ(table.SelectedRows(), (std::vector<int>{8}));
  EXPECT_EQ(shown, 4);
}

TEST_F(TableFixture, ReadersSeeOneTableAndTheHeadingsShowTheSort) {
  QAccessibleInterface* whole = QAccessible::queryAccessibleInterface(&table);
  ASSERT_NE(whole, nullptr);
  ASSERT_NE(whole->tableInterface(), nullptr);
  EXPECT_EQ(whole->tableInterface()->columnCount(), 6);
  QAccessibleInterface* part = QAccessible::queryAccessibleInterface(table.FrozenView());
  ASSERT_NE(part, nullptr);
  EXPECT_TRUE(part->state().invisible);
  EXPECT_EQ(part->tableInterface(), nullptr);

  QSignalSpy clicked(&table, &FrozenColumnTable::headingClicked);
  QTest::mouseClick(table.HeaderOf(0)->viewport(), Qt::LeftButton, {},
                    table.HeadingRect(0).center());
  QTest::mouseClick(table.HeaderOf(4)->viewport(), Qt::LeftButton, {},
                    table.HeadingRect(4).center());
  ASSERT_EQ(clicked.count(), 2);
  EXPECT_EQ(clicked[0][0].toInt(), 0);
  EXPECT_EQ(clicked[1][0].toInt(), 4);
  table.ShowSortIndicator(1, false);
  QHeaderView* frozenHeader = table.HeaderOf(1);
  EXPECT_TRUE(frozenHeader->isSortIndicatorShown());
  EXPECT_EQ(frozenHeader->sortIndicatorSection(), 1);
  EXPECT_EQ(frozenHeader->sortIndicatorOrder(), Qt::DescendingOrder);
  table.ShowSortIndicator(-1, true);
  EXPECT_FALSE(table.horizontalHeader()->isSortIndicatorShown());
}

}  // namespace
}  // namespace widgets
