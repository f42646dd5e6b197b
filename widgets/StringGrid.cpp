#include "widgets/StringGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "platform/text/Utf8.h"
#include "widgets/Colors.h"

namespace widgets {

namespace {

constexpr int kSizingMargin = 3;

// What of a cell's text (UTF-8) a cell `width` pixels wide can show: no
// character is narrower than half a pixel and none takes more than four
// bytes, so eight bytes a pixel is more than ever fits. A long value is
// converted and laid out only that far on every repaint, not whole.
std::string_view ShownPart(std::string_view text, int width) {
  std::size_t most = static_cast<std::size_t>(std::max(width, 0)) * 8 + 16;
  return text.substr(0, platform::Utf8PrefixLength(text, most));
}
constexpr int kMinColumnWidth = 2;
constexpr int kTextMargin = 2;
const QColor kGridLine(192, 192, 192);
const QColor kFixedGridLine(128, 128, 128);

}  // namespace

StringGrid::StringGrid(StringGridData& data, QWidget* parent)
    : QAbstractScrollArea(parent),
      data_(data),
      fixedColor_(QColor(192, 192, 192)),
      topRow_(data.FixedRows()),
      leftCol_(data.FixedCols()) {
  viewport()->setCursor(Qt::PointingHandCursor);
  viewport()->setMouseTracking(true);
  viewport()->setBackgroundRole(QPalette::Base);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  UpdateScrollBars();
}

void StringGrid::SetFixedColor(const QColor& color) {
  fixedColor_ = color;
  viewport()->update();
}

void StringGrid::Refresh() {
  data_.SelectRow(data_.SelectionTop());  // within the rows there are now
  UpdateScrollBars();
  viewport()->update();
}

int StringGrid::FixedWidth() const {
  int width = 0;
  for (int col = 0; col < data_.FixedCols(); ++col) {
    width += data_.ColWidth(col) + 1;
  }
  return width;
}

int StringGrid::FixedHeight() const {
  return data_.FixedRows() * RowStep();
}

int StringGrid::ColumnLeft(int col) const {
  if (col < 0 || col >= data_.ColCount()) {
    return -1;
  }
  int x = 0;
  if (col < data_.FixedCols()) {
    for (int c = 0; c < col; ++c) {
      x += data_.ColWidth(c) + 1;
    }
    return x;
  }
  if (col < leftCol_) {
    return -1;
  }
  x = FixedWidth();
  for (int c = leftCol_; c < col; ++c) {
    x += data_.ColWidth(c) + 1;
  }
  return x;
}

int StringGrid::RowTop(int row) const {
  if (row < 0 || row >= data_.RowCount()) {
    return -1;
  }
  if (row < data_.FixedRows()) {
    return row * RowStep();
  }
  if (row < topRow_) {
    return -1;
  }
  return FixedHeight() + (row - topRow_) * RowStep();
}

QRect StringGrid::CellRect(int col, int row) const {
  int x = ColumnLeft(col);
  int y = RowTop(row);
  if (x < 0 || y < 0) {
    return {};
  }
  return QRect(x, y, data_.ColWidth(col), data_.RowHeight());
}

QPoint StringGrid::CellAt(const QPoint& pos) const {
  int row = -1;
  if (pos.y() >= 0 && pos.y() < FixedHeight()) {
    row = pos.y() / RowStep();
  } else if (pos.y() >= FixedHeight()) {
    row = topRow_ + (pos.y() - FixedHeight()) / RowStep();
  }
  if (row < 0 || row >= data_.RowCount()) {
    return {-1, -1};
  }
  int x = 0;
  for (int col = 0; col < data_.FixedCols(); ++col) {
    int right = x + data_.ColWidth(col) + 1;
    if (pos.x() >= x && pos.x() < right) {
      return {col, row};
    }
    x = right;
  }
  for (int col = leftCol_; col < data_.ColCount(); ++col) {
    int right = x + data_.ColWidth(col) + 1;
    if (pos.x() >= x && pos.x() < right) {
      return {col, row};
    }
    x = right;
  }
  return {-1, -1};
}

int StringGrid::VisibleScrollRows() const {
  int height = viewport()->height() - FixedHeight();
  return std::max(1, height / RowStep());
}

int StringGrid::MaxTopRow() const {
  return std::max(data_.FixedRows(), data_.RowCount() - VisibleScrollRows());
}

int StringGrid::MaxLeftCol() const {
  // The last scrollable column comes fully into view, and no further.
  int room = viewport()->width() - FixedWidth();
  int col = data_.ColCount() - 1;
  int used = data_.ColWidth(col) + 1;
  while (col > data_.FixedCols() && used + data_.ColWidth(col - 1) + 1 <= room) {
    --col;
    used += data_.ColWidth(col) + 1;
  }
  return std::max(col, data_.FixedCols());
}

void StringGrid::UpdateScrollBars() {
  updatingBars_ = true;
  topRow_ = std::clamp(topRow_, data_.FixedRows(), MaxTopRow());
  leftCol_ = std::clamp(leftCol_, data_.FixedCols(), MaxLeftCol());
  verticalScrollBar()->setRange(data_.FixedRows(), MaxTopRow());
  verticalScrollBar()->setPageStep(VisibleScrollRows());
  verticalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setValue(topRow_);
  horizontalScrollBar()->setRange(data_.FixedCols(), MaxLeftCol());
  horizontalScrollBar()->setPageStep(1);
  horizontalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setValue(leftCol_);
  updatingBars_ = false;
}

void StringGrid::ScrollTo(int topRow, int leftCol) {
  topRow_ = topRow;
  leftCol_ = leftCol;
  UpdateScrollBars();
  viewport()->update();
}

void StringGrid::scrollContentsBy(int, int) {
  if (updatingBars_) {
    return;
  }
  topRow_ = verticalScrollBar()->value();
  leftCol_ = horizontalScrollBar()->value();
  viewport()->update();
}

void StringGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void StringGrid::PaintCell(QPainter& painter, int col, int row, const QRect& rect) const {
  const CellStyle& style = data_.Style(col, row);
  bool fixed = col < data_.FixedCols() || row < data_.FixedRows();
  bool selected = !fixed && row >= data_.SelectionTop() && row <= data_.SelectionBottom();
  QColor background =
      style.background ? ToQColor(*style.background) : (fixed ? fixedColor_ : QColor(Qt::white));
  QColor text = style.text ? ToQColor(*style.text) : QColor(Qt::black);
  if (selected) {
    background = palette().color(QPalette::Highlight);
    text = palette().color(QPalette::HighlightedText);
  }
  painter.fillRect(rect, background);

  const std::string& cell = data_.Cell(col, row);  // UTF-8
  if (!cell.empty()) {
    Qt::Alignment align = Qt::AlignTop;
    switch (style.alignment) {
      case CellAlignment::Center: align |= Qt::AlignHCenter; break;
      case CellAlignment::Right: align |= Qt::AlignRight; break;
      default: align |= Qt::AlignLeft; break;
    }
    QRect textRect = rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, 0);
    painter.save();
    painter.setClipRect(rect);
    painter.setPen(text);
    std::string_view shown = ShownPart(cell, rect.width());
    painter.drawText(textRect, static_cast<int>(align) | Qt::TextSingleLine,
                     QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size())));
    painter.restore();
  }
  painter.setPen(fixed ? kFixedGridLine : kGridLine);
  painter.drawLine(rect.right() + 1, rect.top(), rect.right() + 1, rect.bottom() + 1);
  painter.drawLine(rect.left(), rect.bottom() + 1, rect.right() + 1, rect.bottom() + 1);
}

void StringGrid::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setFont(font());
  int width = viewport()->width();
  int height = viewport()->height();
  std::vector<int> rows;
  for (int row = 0; row < data_.FixedRows(); ++row) {
    rows.push_back(row);
  }
  for (int row = topRow_; row < data_.RowCount() && RowTop(row) < height; ++row) {
    rows.push_back(row);
  }
  std::vector<int> cols;
  for (int col = 0; col < data_.FixedCols(); ++col) {
    cols.push_back(col);
  }
  for (int col = leftCol_; col < data_.ColCount() && ColumnLeft(col) < width; ++col) {
    cols.push_back(col);
  }
  // Scrollable cells first, so fixed columns and rows are drawn over them.
  for (int pass = 0; pass < 2; ++pass) {
    for (int row : rows) {
      for (int col : cols) {
        bool fixed = col < data_.FixedCols() || row < data_.FixedRows();
        if (fixed == (pass == 1)) {
          PaintCell(painter, col, row, CellRect(col, row));
        }
      }
    }
  }
  if (dragRow_ >= 0 && dropRow_ >= 0) {
    int y = RowTop(dropRow_);
    if (y >= 0) {
      if (dropRow_ > dragRow_) {
        y += RowStep();
      }
      painter.fillRect(QRect(0, y - 1, width, 3), Qt::black);
    }
  }
}

int StringGrid::SizingColumnAt(const QPoint& pos) const {
  if (pos.y() < 0 || pos.y() >= FixedHeight()) {
    return -1;
  }
  for (int col = 0; col < data_.ColCount(); ++col) {
    int left = ColumnLeft(col);
    if (left < 0) {
      continue;
    }
    int border = left + data_.ColWidth(col);
    if (std::abs(pos.x() - border) <= kSizingMargin) {
      return col;
    }
  }
  return -1;
}

void StringGrid::SelectAndShow(int row) {
  data_.SelectRow(row);
  EnsureSelectionVisible();
}

void StringGrid::EnsureSelectionVisible() {
  int selected = data_.SelectionTop();
  if (selected < topRow_) {
    topRow_ = selected;
  } else if (selected >= topRow_ + VisibleScrollRows()) {
    topRow_ = selected - VisibleScrollRows() + 1;
  }
  UpdateScrollBars();
  viewport()->update();
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  QPoint pos = event->position().toPoint();
  QPoint cell = CellAt(pos);
  bool dataRow = cell.x() >= 0 && cell.y() >= data_.FixedRows();
  if (event->button() == Qt::RightButton) {
    if (dataRow) {
      SelectAndShow(cell.y());  // the pop-up acts on the row pointed at
    }
    return;
  }
  if (event->button() != Qt::LeftButton) {
    return;
  }
  sizingCol_ = SizingColumnAt(pos);
  if (sizingCol_ >= 0) {
    sizingOrigin_ = ColumnLeft(sizingCol_);
    return;
  }
  if (cell.x() >= 0 && cell.y() >= 0 && cell.y() < data_.FixedRows()) {
    pressedHeading_ = cell.x();
    return;
  }
  if (!dataRow) {
    return;
  }
  SelectAndShow(cell.y());
  if (cell.x() < data_.FixedCols()) {
    // A fixed cell of a data row: the row moves once the pointer has moved
    // far enough to tell a drag from a click.
    dragRow_ = cell.y();
    dropRow_ = -1;
    pressPos_ = pos;
    dragging_ = false;
  }
}

void StringGrid::mouseMoveEvent(QMouseEvent* event) {
  QPoint pos = event->position().toPoint();
  if (sizingCol_ >= 0) {
    data_.SetColWidth(sizingCol_, std::max(kMinColumnWidth, pos.x() - sizingOrigin_));
    Refresh();
    return;
  }
  if (dragRow_ >= 0) {
    if (!dragging_ && (pos - pressPos_).manhattanLength() < QApplication::startDragDistance()) {
      return;
    }
    dragging_ = true;
    QPoint cell = CellAt(QPoint(0, std::max(pos.y(), FixedHeight())));
    dropRow_ = cell.y() >= data_.FixedRows() ? cell.y() : -1;
    viewport()->update();
    return;
  }
  viewport()->setCursor(SizingColumnAt(pos) >= 0 ? Qt::SplitHCursor : Qt::PointingHandCursor);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event) {
  sizingCol_ = -1;
  int heading = pressedHeading_;
  pressedHeading_ = -1;
  if (heading >= 0) {
    QPoint cell = CellAt(event->position().toPoint());
    if (cell.x() == heading && cell.y() >= 0 && cell.y() < data_.FixedRows()) {
      emit headingClicked(heading);
    }
    return;
  }
  if (dragRow_ >= 0) {
    int from = dragRow_;
    int to = dropRow_;
    bool moved = dragging_;
    dragRow_ = -1;
    dropRow_ = -1;
    dragging_ = false;
    if (moved && to >= data_.FixedRows() && to != from) {
      emit rowDropped(from, to);
    }
    viewport()->update();
  }
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QPoint pos = event->position().toPoint();
  QPoint cell = CellAt(pos);
  if (event->button() != Qt::LeftButton || SizingColumnAt(pos) >= 0 || cell.x() < 0 ||
      cell.y() < data_.FixedRows()) {
    return;  // a heading or a border: nothing to edit
  }
  SelectAndShow(cell.y());
  emit doubleClicked();
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  int row = data_.SelectionTop();
  switch (event->key()) {
    case Qt::Key_Up: SelectAndShow(row - 1); break;
    case Qt::Key_Down: SelectAndShow(row + 1); break;
    case Qt::Key_PageUp: SelectAndShow(row - VisibleScrollRows()); break;
    case Qt::Key_PageDown: SelectAndShow(row + VisibleScrollRows()); break;
    case Qt::Key_Home:
      if (event->modifiers() & Qt::ControlModifier) {
        SelectAndShow(data_.FixedRows());
      }
      break;
    case Qt::Key_Left: ScrollTo(topRow_, leftCol_ - 1); break;
    case Qt::Key_Right: ScrollTo(topRow_, leftCol_ + 1); break;
    default: QAbstractScrollArea::keyPressEvent(event); break;
  }
}

void StringGrid::contextMenuEvent(QContextMenuEvent* event) {
  if (popup_ == nullptr) {
    return;
  }
  if (event->reason() == QContextMenuEvent::Mouse) {
    QPoint cell = CellAt(event->pos());
    if (cell.x() < 0 || cell.y() < data_.FixedRows()) {
      return;  // not over a data row
    }
    SelectAndShow(cell.y());
  }
  popup_->exec(event->globalPos());
}

}  // namespace widgets
