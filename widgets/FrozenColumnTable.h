#pragma once

#include <QTableView>
#include <vector>

class QHeaderView;
class QMenu;
class QTimer;

namespace widgets {

class FrozenColumnPart;

// A table of whole rows whose first columns stay in place while the others
// scroll sideways: a second view over the same model and selection lies
// over them (Qt's frozen-column technique), so both parts select, scroll
// and size as one. Rows are chosen as in a spreadsheet's row headings
// (click, Shift-click, Ctrl-click, Shift+arrows, Ctrl+A, a drag across
// rows); a row is moved by holding its first cell pressed a moment, then
// dragging it. Enter, F2 and a double-click ask for the current row to be
// edited; a right-click, Shift+F10 or the Menu key open the rows' pop-up
// menu. Nothing is edited in place.
class FrozenColumnTable : public QTableView {
  Q_OBJECT

 public:
  explicit FrozenColumnTable(int frozenColumns, QWidget* parent = nullptr);
  ~FrozenColumnTable() override;

  void setModel(QAbstractItemModel* model) override;
  void SetPopupMenu(QMenu* menu) { popup_ = menu; }
  // The part over the frozen columns.
  QTableView* FrozenView() const;
  int FrozenColumns() const { return frozenColumns_; }

  void SetRowHeight(int pixels);
  int RowHeight() const;
  // Column widths, the same in both parts.
  void SetColumnWidth(int column, int width);
  // The headings' colours, drawn flat as the designed grid drew them.
  void SetHeadingColors(const QColor& background, const QColor& text);
  // The sort indicator on the heading of `column` (-1: none).
  void ShowSortIndicator(int column, bool ascending);

  // The current row (-1 when none) and the selected rows, ascending.
  int CurrentRow() const;
  std::vector<int> SelectedRows() const;
  // Makes `current` the current row with `rows` selected, in view.
  void SelectRows(int current, const std::vector<int>& rows);

  // Where a cell is drawn: the viewport of the part that shows its column,
  // and its rectangle there (empty when out of view). For pop-ups and
  // tests.
  QWidget* ViewportOf(int column) const;
  QRect CellRect(int column, int row) const;
  // The heading of a column: the header that shows it and its rectangle
  // in the header's viewport.
  QHeaderView* HeaderOf(int column) const;
  QRect HeadingRect(int column) const;

 signals:
  // Double-click (on the row then current), Enter or F2.
  void editRequested();
  // A row held and dragged onto another.
  void rowDropped(int from, int to);
  // A heading was clicked (not its border).
  void headingClicked(int column);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  void updateGeometries() override;
  // While the program chooses rows (SelectRows), a plain choice whatever
  // keys are held, so the row made current is where Shift extends from.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  friend class FrozenColumnPart;
  void PlaceFrozenPart();
  int FrozenWidth() const;
  // Whether the frozen part is laid over the table (its columns leave room
  // for the others).
  bool Freezing() const;
  // The part that shows a column.
  const QTableView& PartShowing(int column) const;
  void FrozenSectionResized(int column, int oldWidth, int newWidth);
  void SectionResized(int column, int oldWidth, int newWidth);
  // The pop-up for the row under `pos` of `view`'s viewport (the current
  // row when the keyboard asked).
  void ShowRowMenu(QAbstractItemView* view, const QPoint& pos, bool fromKeyboard);
  // The line where a carried row would go: above `row`, or below it when
  // the row comes from above; row -1 hides it.
  void ShowDropLine(int row, bool below);

  int frozenColumns_;
  FrozenColumnPart* frozen_ = nullptr;
  QMenu* popup_ = nullptr;
  QWidget* dropLine_ = nullptr;
  bool choosingRows_ = false;
};

}  // namespace widgets
