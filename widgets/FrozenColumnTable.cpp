#include "widgets/FrozenColumnTable.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

namespace widgets {

// The view over the frozen columns. It selects nothing itself: its mouse
// events go to the table at the same row, so one anchor serves Shift-click
// and Shift+arrows wherever the user clicked. Its first column is where a
// row is taken to be moved: pressed and held still for the desktop's drag
// delay, the row follows the pointer until it is let go; a press that
// moves sooner selects rows as anywhere else.
class FrozenColumnPart : public QTableView {
 public:
  explicit FrozenColumnPart(FrozenColumnTable& owner)
      : QTableView(&owner), owner_(owner), hold_(new QTimer(this)) {
    hold_->setSingleShot(true);
    hold_->setInterval(QApplication::startDragTime());
    connect(hold_, &QTimer::timeout, this, [this] {
      holding_ = true;
      viewport()->setCursor(Qt::ClosedHandCursor);
    });
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    owner_.setFocus(Qt::MouseFocusReason);
    QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && index.column() == 0 &&
        event->modifiers() == Qt::NoModifier) {
      pressedRow_ = index.row();
      pressPos_ = event->position().toPoint();
      hold_->start();
    }
    Forward(*event, event->position());
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    QPoint pos = event->position().toPoint();
    if (holding_) {
      int row = rowAt(std::clamp(pos.y(), 0, viewport()->height() - 1));
      dropRow_ = row >= 0 ? row : model()->rowCount() - 1;
      owner_.ShowDropLine(dropRow_, dropRow_ > pressedRow_);
      return;  // the selection stays as it is while the row is carried
    }
    if (hold_->isActive() &&
        (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
      hold_->stop();  // a drag across rows: it selects them
    }
    Forward(*event, event->position());
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    hold_->stop();
    bool carried = holding_;
    int from = pressedRow_;
    int to = dropRow_;
    holding_ = false;
    pressedRow_ = -1;
    dropRow_ = -1;
    viewport()->setCursor(Qt::PointingHandCursor);
    owner_.ShowDropLine(-1, false);
    // A carried row ends where it was taken, as far as the selection knows.
    Forward(*event, carried ? QPointF(pressPos_) : event->position());
    if (carried && to >= 0 && to != from) {
      emit owner_.rowDropped(from, to);
    }
  }

  void mouseDoubleClickEvent(QMouseEvent* event) override { Forward(*event, event->position()); }

  void contextMenuEvent(QContextMenuEvent* event) override {
    owner_.ShowRowMenu(this, event->pos(), event->reason() != QContextMenuEvent::Mouse);
  }

 private:
  // `event` as the table's viewport would have had it at `pos` of this
  // part's viewport: the same row, whatever column lies under this part.
  void Forward(const QMouseEvent& event, const QPointF& pos) {
    QWidget* table = owner_.viewport();
    QPointF at = table->mapFromGlobal(viewport()->mapToGlobal(pos));
    QMouseEvent forwarded(event.type(), at, viewport()->mapToGlobal(pos), event.button(),
                          event.buttons(), event.modifiers());
    QApplication::sendEvent(table, &forwarded);
  }

  FrozenColumnTable& owner_;
  QTimer* hold_;
  bool holding_ = false;
  int pressedRow_ = -1;
  int dropRow_ = -1;
  QPoint pressPos_;
};

namespace {

// The least width left to the scrolling columns beside the frozen ones.
constexpr int kLeastScrollingWidth = 40;

// Screen readers see the whole table once: the part over the frozen
// columns repeats cells the table itself offers, so it is left out.
class HiddenFromReaders : public QAccessibleWidget {
 public:
  explicit HiddenFromReaders(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Client) {}
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.invisible = true;
    return state;
  }
  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
};

QAccessibleInterface* FrozenPartAccessible(const QString&, QObject* object) {
  if (auto* part = dynamic_cast<FrozenColumnPart*>(object)) {
    return new HiddenFromReaders(part);
  }
  return nullptr;
}

void ConfigureRows(QTableView& view) {
  view.setSelectionBehavior(QAbstractItemView::SelectRows);
  view.setSelectionMode(QAbstractItemView::ExtendedSelection);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setDragEnabled(false);
  view.setWordWrap(false);
  view.setTextElideMode(Qt::ElideRight);
  view.viewport()->setCursor(Qt::PointingHandCursor);
  view.verticalHeader()->hide();
  view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view.verticalHeader()->setMinimumSectionSize(1);
  view.horizontalHeader()->setSectionsClickable(true);
  view.horizontalHeader()->setHighlightSections(false);
  view.horizontalHeader()->setSortIndicatorShown(false);
  view.horizontalHeader()->setMinimumSectionSize(2);
  view.horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
}

}  // namespace

FrozenColumnTable::FrozenColumnTable(int frozenColumns, QWidget* parent)
    : QTableView(parent), frozenColumns_(frozenColumns) {
  static bool factoryInstalled = false;
  if (!factoryInstalled) {
    QAccessible::installFactory(FrozenPartAccessible);
    factoryInstalled = true;
  }
  ConfigureRows(*this);
  setHorizontalScrollMode(ScrollPerPixel);
  setFocusPolicy(Qt::StrongFocus);

  frozen_ = new FrozenColumnPart(*this);
  ConfigureRows(*frozen_);
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->setFrameShape(QFrame::NoFrame);
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollMode(verticalScrollMode());
  viewport()->stackUnder(frozen_);

  dropLine_ = new QWidget(this);
  dropLine_->setAutoFillBackground(true);
  QPalette line = dropLine_->palette();
  line.setColor(QPalette::Window, Qt::black);
  dropLine_->setPalette(line);
  dropLine_->hide();

  connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          &FrozenColumnTable::SectionResized);
  connect(frozen_->horizontalHeader(), &QHeaderView::sectionResized, this,
          &FrozenColumnTable::FrozenSectionResized);
  for (QHeaderView* header : {horizontalHeader(), frozen_->horizontalHeader()}) {
    connect(header, &QHeaderView::sectionClicked, this, &FrozenColumnTable::headingClicked);
  }
  for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(frozen_)}) {
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
      if (index.isValid()) {
        emit editRequested();
      }
    });
  }
}

FrozenColumnTable::~FrozenColumnTable() = default;

QTableView* FrozenColumnTable::FrozenView() const {
  return frozen_;
}

void FrozenColumnTable::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  frozen_->setModel(model);
  frozen_->setSelectionModel(selectionModel());
  for (int column = 0; column < model->columnCount(); ++column) {
    frozen_->setColumnHidden(column, column >= frozenColumns_);
    if (column < frozenColumns_) {
      frozen_->setColumnWidth(column, columnWidth(column));
    }
  }
  PlaceFrozenPart();
}

void FrozenColumnTable::SetRowHeight(int pixels) {
  for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(frozen_)}) {
    view->verticalHeader()->setDefaultSectionSize(pixels);
  }
}

int FrozenColumnTable::RowHeight() const {
  return verticalHeader()->defaultSectionSize();
}

void FrozenColumnTable::SetColumnWidth(int column, int width) {
  setColumnWidth(column, width);  // the frozen part follows (SectionResized)
}

void FrozenColumnTable::SetHeadingColors(const QColor& background, const QColor& text) {
  QString sheet =
      QStringLiteral(
          "QHeaderView::section { background-color: %1; color: %2; border: none;"
          " border-right: 1px solid %3; border-bottom: 1px solid %3; padding: 0px 2px; }")
          .arg(background.name(), text.name(), background.darker(150).name());
  for (QHeaderView* header : {horizontalHeader(), frozen_->horizontalHeader()}) {
    header->setStyleSheet(sheet);
  }
}

void FrozenColumnTable::ShowSortIndicator(int column, bool ascending) {
  for (QHeaderView* header : {horizontalHeader(), frozen_->horizontalHeader()}) {
    header->setSortIndicatorShown(column >= 0);
    header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  }
}

int FrozenColumnTable::CurrentRow() const {
  QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : -1;
}

std::vector<int> FrozenColumnTable::SelectedRows() const {
  std::vector<int> rows;
  if (selectionModel() == nullptr) {
    return rows;
  }
  // Ranges, not indexes: a selection of every row of a long list stays a
  // few ranges.
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) {
      rows.push_back(row);
    }
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void FrozenColumnTable::SelectRows(int current, const std::vector<int>& rows) {
  if (model() == nullptr || current < 0 || current >= model()->rowCount()) {
    return;
  }
  int lastColumn = model()->columnCount() - 1;
  QItemSelection selection;
  std::size_t i = 0;
  while (i < rows.size()) {
    // Runs of neighbouring rows become one range each.
    std::size_t end = i;
    while (end + 1 < rows.size() && rows[end + 1] == rows[end] + 1) {
      ++end;
    }
    if (rows[i] >= 0 && rows[end] < model()->rowCount()) {
      selection.select(model()->index(rows[i], 0), model()->index(rows[end], lastColumn));
    }
    i = end + 1;
  }
  // Made current as a click makes it, so a Shift-click or Shift+arrow
  // afterwards extends from it; then the rows chosen.
  QModelIndex index = model()->index(current, 0);
  choosingRows_ = true;  // whatever keys are held now
  setCurrentIndex(index);
  choosingRows_ = false;
  selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  scrollTo(index);
}

QItemSelectionModel::SelectionFlags FrozenColumnTable::selectionCommand(const QModelIndex& index,
                                                                        const QEvent* event) const {
  if (choosingRows_) {
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
  }
  return QTableView::selectionCommand(index, event);
}

QWidget* FrozenColumnTable::ViewportOf(int column) const {
  return PartShowing(column).viewport();
}

QRect FrozenColumnTable::CellRect(int column, int row) const {
  const QTableView& view = PartShowing(column);
  if (model() == nullptr) {
    return {};
  }
  return view.visualRect(model()->index(row, column)).intersected(view.viewport()->rect());
}

QHeaderView* FrozenColumnTable::HeaderOf(int column) const {
  return PartShowing(column).horizontalHeader();
}

QRect FrozenColumnTable::HeadingRect(int column) const {
  QHeaderView* header = HeaderOf(column);
  return QRect(header->sectionViewportPosition(column), 0, header->sectionSize(column),
               header->height());
}

void FrozenColumnTable::SectionResized(int column, int, int width) {
  if (column < frozenColumns_ && frozen_->columnWidth(column) != width) {
    frozen_->setColumnWidth(column, width);
  }
  PlaceFrozenPart();
}

void FrozenColumnTable::FrozenSectionResized(int column, int, int width) {
  if (column < frozenColumns_ && columnWidth(column) != width) {
    setColumnWidth(column, width);
  }
  PlaceFrozenPart();
}

void FrozenColumnTable::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  PlaceFrozenPart();
}

void FrozenColumnTable::updateGeometries() {
  QTableView::updateGeometries();
  PlaceFrozenPart();
}

int FrozenColumnTable::FrozenWidth() const {
  int width = 0;
  for (int column = 0; column < frozenColumns_; ++column) {
    width += columnWidth(column);
  }
  return width;
}

bool FrozenColumnTable::Freezing() const {
  // Frozen columns that would leave no room for the others scroll with
  // them instead: a file name widened past the window's width must not
  // hide every other column.
  return FrozenWidth() + kLeastScrollingWidth <= viewport()->width();
}

const QTableView& FrozenColumnTable::PartShowing(int column) const {
  if (column < frozenColumns_ && Freezing()) {
    return *frozen_;
  }
  return *this;
}

void FrozenColumnTable::PlaceFrozenPart() {
  if (frozen_ == nullptr) {
    return;
  }
  frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
  frozen_->setGeometry(frameWidth(), frameWidth(), FrozenWidth(),
                       viewport()->height() + horizontalHeader()->height());
  frozen_->setVisible(Freezing());
}

QModelIndex FrozenColumnTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  QModelIndex current = QTableView::moveCursor(action, modifiers);
  // Sideways, the columns under the frozen part scroll out from under it.
  int frozenWidth = Freezing() ? FrozenWidth() : 0;
  if (action == MoveLeft && current.column() >= frozenColumns_ &&
      visualRect(current).topLeft().x() < frozenWidth) {
    int value = horizontalScrollBar()->value() + visualRect(current).topLeft().x() - frozenWidth;
    horizontalScrollBar()->setValue(value);
  }
  return current;
}

void FrozenColumnTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
  // A row is brought into view without scrolling sideways: its frozen
  // cells are always in view.
  int sideways = horizontalScrollBar()->value();
  QTableView::scrollTo(index, hint);
  if (index.column() < frozenColumns_ && Freezing()) {
    horizontalScrollBar()->setValue(sideways);
  }
}

void FrozenColumnTable::keyPressEvent(QKeyEvent* event) {
  bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
      if (plain && CurrentRow() >= 0) {
        emit editRequested();
        event->accept();
        return;
      }
      break;
    case Qt::Key_Menu:
      ShowRowMenu(this, {}, true);
      event->accept();
      return;
    case Qt::Key_F10:
      if (event->modifiers() == Qt::ShiftModifier) {
        ShowRowMenu(this, {}, true);
        event->accept();
        return;
      }
      break;
    default: break;
  }
  QTableView::keyPressEvent(event);
}

void FrozenColumnTable::contextMenuEvent(QContextMenuEvent* event) {
  ShowRowMenu(this, event->pos(), event->reason() != QContextMenuEvent::Mouse);
}

void FrozenColumnTable::ShowRowMenu(QAbstractItemView* view, const QPoint& pos, bool fromKeyboard) {
  if (popup_ == nullptr || model() == nullptr) {
    return;
  }
  QPoint at;
  if (fromKeyboard) {
    QModelIndex current = currentIndex();
    const QTableView& part = PartShowing(0);
    QRect cell = current.isValid() ? part.visualRect(model()->index(current.row(), 0)) : QRect();
    at = part.viewport()->mapToGlobal(cell.isValid() ? cell.bottomLeft() : QPoint(0, 0));
  } else {
    QModelIndex index = view->indexAt(pos);
    if (!index.isValid()) {
      return;  // not over a row
    }
    // The row pointed at is what the menu acts on: it joins the selection
    // only when it is not part of it already.
    if (!selectionModel()->isRowSelected(index.row(), QModelIndex())) {
      SelectRows(index.row(), {index.row()});
    } else {
      selectionModel()->setCurrentIndex(model()->index(index.row(), 0),
                                        QItemSelectionModel::NoUpdate);
    }
    at = view->viewport()->mapToGlobal(pos);
  }
  popup_->exec(at);
}

void FrozenColumnTable::ShowDropLine(int row, bool below) {
  QRect cell = row >= 0 ? visualRect(model()->index(row, 0)) : QRect();
  if (!cell.isValid()) {
    dropLine_->hide();
    return;
  }
  QPoint topLeft = viewport()->mapTo(this, QPoint(0, below ? cell.bottom() + 1 : cell.top()));
  dropLine_->setGeometry(0, topLeft.y() - 1, width(), 3);
  dropLine_->raise();
  dropLine_->show();
}

}  // namespace widgets
