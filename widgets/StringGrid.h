#pragma once

#include <QAbstractScrollArea>
#include <QColor>

#include "widgets/core/StringGridData.h"

class QMenu;

namespace widgets {

// The column-styled string grid: shows a StringGridData with its fixed rows
// and columns held in place while the rest scrolls cell by cell, per-cell
// background, text colour and alignment, whole-row selection (a click,
// right-click or double-click anywhere in a data row selects it), column
// sizing by dragging a heading border, a click on a heading, and a row
// dragged by its fixed cell and dropped on another (the owner of the rows
// moves it). No in-place editing. Cell texts are UTF-8.
class StringGrid : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit StringGrid(StringGridData& data, QWidget* parent = nullptr);

  StringGridData& Data() { return data_; }
  const StringGridData& Data() const { return data_; }

  void SetFixedColor(const QColor& color);
  void SetPopupMenu(QMenu* menu) { popup_ = menu; }

  // Call after changing the cells or the layout: scroll range, selection
  // and drawing follow it.
  void Refresh();

  // The first scrollable row and column in view.
  int TopRow() const { return topRow_; }
  int LeftCol() const { return leftCol_; }
  void ScrollTo(int topRow, int leftCol);
  // Scrolls so the selected row is in view.
  void EnsureSelectionVisible();

  // The cell under a point of the viewport, or (-1, -1).
  QPoint CellAt(const QPoint& pos) const;
  // The rectangle of a cell in viewport coordinates (empty when not in view).
  QRect CellRect(int col, int row) const;

 signals:
  // A data row was double-clicked; it is the selected row by then.
  void doubleClicked();
  // A data row dragged by its fixed cell and let go over row `to`.
  void rowDropped(int from, int to);
  // A heading was clicked (not its border).
  void headingClicked(int col);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  int FixedWidth() const;
  int FixedHeight() const;
  int RowStep() const { return data_.RowHeight() + 1; }
  int ColumnLeft(int col) const;  // -1 when not in view
  int RowTop(int row) const;      // -1 when not in view
  int VisibleScrollRows() const;
  int MaxTopRow() const;
  int MaxLeftCol() const;
  int SizingColumnAt(const QPoint& pos) const;  // column whose right border is near, or -1
  void UpdateScrollBars();
  void SelectAndShow(int row);
  void PaintCell(QPainter& painter, int col, int row, const QRect& rect) const;

  StringGridData& data_;
  QColor fixedColor_;
  QMenu* popup_ = nullptr;
  int topRow_;
  int leftCol_;
  int sizingCol_ = -1;
  int sizingOrigin_ = 0;
  int dragRow_ = -1;
  int dropRow_ = -1;
  QPoint pressPos_;        // where the button went down
  bool dragging_ = false;  // the pointer has moved far enough to move a row
  int pressedHeading_ = -1;
  bool updatingBars_ = false;
};

}  // namespace widgets
