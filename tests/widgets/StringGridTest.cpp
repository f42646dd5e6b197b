#include "widgets/StringGrid.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "tests/widgets/TableCells.h"

namespace widgets {
namespace {

struct GridFixture : ::testing::Test {
  TableCells cells{30};
  StringGridData data{cells, 6, 2, 1};
  StringGrid grid{data};

  void SetUp() override {
    data.SetRowHeight(17);
    for (int col = 0; col < 6; ++col) {
      data.SetColWidth(col, 100);
    }
    for (int row = 0; row < 30; ++row) {
      cells.Set(0, row, "r" + std::to_string(row));
    }
    grid.resize(360, 300);
    grid.show();
    grid.Refresh();
  }

  QWidget* View() { return grid.viewport(); }
  QPoint Centre(int col, int row) { return grid.CellRect(col, row).center(); }
};

TEST_F(GridFixture, ClickSelectsTheWholeRowAndKeysMoveIt) {
  QTest::mouseClick(View(), Qt::LeftButton, {}, Centre(3, 4));
  EXPECT_EQ(data.SelectionTop(), 4);
  QTest::keyClick(&grid, Qt::Key_Down);
  EXPECT_EQ(data.SelectionTop(), 5);
  // Clicking a heading does not select; it is reported.
  QSignalSpy headings(&grid, &StringGrid::headingClicked);
  QTest::mouseClick(View(), Qt::LeftButton, {}, Centre(3, 0));
  EXPECT_EQ(data.SelectionTop(), 5);
  ASSERT_EQ(headings.count(), 1);
  EXPECT_EQ(headings[0][0].toInt(), 3);
  // A click in a fixed column of a data row selects that row.
  QTest::mouseClick(View(), Qt::LeftButton, {}, Centre(1, 3));
  EXPECT_EQ(data.SelectionTop(), 3);
  QTest::keyClick(&grid, Qt::Key_Down);
  EXPECT_EQ(data.SelectionTop(), 4);
  QTest::keyClick(&grid, Qt::Key_Down);
  // Going past the view scrolls it.
  for (int i = 0; i < 20; ++i) {
    QTest::keyClick(&grid, Qt::Key_Down);
  }
  EXPECT_EQ(data.SelectionTop(), 25);
  EXPECT_GT(grid.TopRow(), 1);
  EXPECT_TRUE(grid.CellRect(3, 25).isValid());
}

TEST_F(GridFixture, FixedColumnsStayWhileTheRestScrollsSideways) {
  grid.ScrollTo(1, 3);
  EXPECT_EQ(grid.LeftCol(), 3);
  EXPECT_EQ(grid.CellAt(QPoint(5, 40)).x(), 0);
  EXPECT_EQ(grid.CellAt(QPoint(105, 40)).x(), 1);
  EXPECT_EQ(grid.CellAt(QPoint(205, 40)).x(), 3);  // column 2 is scrolled away
  EXPECT_FALSE(grid.CellRect(2, 1).isValid());
  // The heading row stays while rows scroll.
  grid.ScrollTo(10, 3);
  EXPECT_EQ(grid.CellAt(QPoint(5, 5)).y(), 0);
  EXPECT_EQ(grid.CellAt(QPoint(5, 20)).y(), 10);
}

TEST_F(GridFixture, DraggingAFixedCellAsksForTheRowToMove) {
  QSignalSpy dropped(&grid, &StringGrid::rowDropped);
  QTest::mousePress(View(), Qt::LeftButton, {}, Centre(0, 2));
  QTest::mouseMove(View(), Centre(0, 5));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, Centre(0, 5));
  ASSERT_EQ(dropped.count(), 1);
  EXPECT_EQ(dropped[0][0].toInt(), 2);
  EXPECT_EQ(dropped[0][1].toInt(), 5);
  EXPECT_EQ(data.Cell(0, 2), "r2");  // the owner of the rows moves them
  // Let go where it was taken: nothing to move.
  QTest::mousePress(View(), Qt::LeftButton, {}, Centre(0, 3));
  QTest::mouseMove(View(), Centre(0, 3) + QPoint(0, 2));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, Centre(0, 3));
  EXPECT_EQ(dropped.count(), 1);
  // A pointer that wanders less than a drag's distance into the next row
  // is a click: it selects the row and moves nothing.
  QPoint edge = grid.CellRect(0, 6).bottomLeft() + QPoint(5, 0);
  QTest::mousePress(View(), Qt::LeftButton, {}, edge);
  QTest::mouseMove(View(), edge + QPoint(0, 2));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, edge + QPoint(0, 2));
  EXPECT_EQ(dropped.count(), 1);
  EXPECT_EQ(data.SelectionTop(), 6);
}

TEST_F(GridFixture, ASelectionBelowTheRowsLeftFollowsThemOnRefresh) {
  data.SelectRow(25);
  cells.rows.resize(10);
  grid.Refresh();
  EXPECT_EQ(data.SelectionTop(), 9);
  cells.rows.resize(30);
  EXPECT_EQ(data.SelectionTop(), 9);  // it stays where it went
}

TEST_F(GridFixture, DraggingAHeadingBorderSizesTheColumn) {
  QPoint border(grid.CellRect(1, 0).right() + 1, 8);
  QTest::mousePress(View(), Qt::LeftButton, {}, border);
  QTest::mouseMove(View(), border + QPoint(40, 0));
  QTest::mouseRelease(View(), Qt::LeftButton, {}, border + QPoint(40, 0));
  EXPECT_EQ(data.ColWidth(1), 140);
  EXPECT_EQ(data.Cell(0, 1), "r1");  // no row moved
}

// The row a double-click or a right-click is on is the selected row by the
// time the edit or the pop-up acts, fixed columns included.
TEST_F(GridFixture, DoubleAndRightClicksActOnTheRowPointedAt) {
  data.SelectRow(7);
  QSignalSpy doubled(&grid, &StringGrid::doubleClicked);
  QTest::mouseDClick(View(), Qt::LeftButton, {}, Centre(1, 3));
  ASSERT_EQ(doubled.count(), 1);
  EXPECT_EQ(data.SelectionTop(), 3);
  QTest::mouseDClick(View(), Qt::LeftButton, {}, Centre(4, 0));  // a heading
  EXPECT_EQ(doubled.count(), 1);

  QMenu popup;
  int selectedWhenShown = -1;
  QObject::connect(&popup, &QMenu::aboutToShow, [&] {
    selectedWhenShown = data.SelectionTop();
    QTimer::singleShot(0, &popup, &QMenu::close);
  });
  grid.SetPopupMenu(&popup);
  QTest::mousePress(View(), Qt::RightButton, {}, Centre(0, 5));
  QContextMenuEvent event(QContextMenuEvent::Mouse, Centre(0, 5),
                          View()->mapToGlobal(Centre(0, 5)));
  QApplication::sendEvent(View(), &event);
  EXPECT_EQ(selectedWhenShown, 5);
  EXPECT_EQ(data.SelectionTop(), 5);
}

}  // namespace
}  // namespace widgets
