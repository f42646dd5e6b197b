#include "designer/ui/DesignerCanvas.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "layout/qt/QtSurface.h"
#include "printing/core/PageDrawing.h"

namespace designer {

namespace {

constexpr int kMargin = 12;  // desk around the sheet
constexpr int kHandleSize = 7;
constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 400;
const QColor kDeskColor(128, 130, 140);
const QColor kMarginColor(205, 210, 222);
const QColor kSelectionColor(0, 120, 215);

}  // namespace

DesignerCanvas::DesignerCanvas(layout::PictureDecoder* pictures, QWidget* parent)
    : QWidget(parent), pictures_(pictures) {
  setObjectName(QStringLiteral("DesignCanvas"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAcceptDrops(true);
  metrics_ = printing::MetricsFromDots(printing::PdfPrinterDots());
  Relayout();
}

void DesignerCanvas::SetSheet(const printing::PrinterMetrics& metrics, Fixed screenX,
                              Fixed screenY) {
  metrics_ = metrics;
  screenX_ = screenX;
  screenY_ = screenY;
  Relayout();
}

void DesignerCanvas::SetZoom(int zoomPercent) {
  zoom_ = std::clamp(zoomPercent, kMinZoom, kMaxZoom);
  Relayout();
}

int DesignerCanvas::FitZoom(QSize room) const {
  printing::PreviewLayout at100 = printing::LayoutPreview(metrics_, screenX_, screenY_, 100);
  if (at100.sheetWidth <= 0 || at100.sheetHeight <= 0) {
    return 100;
  }
  int byWidth = (room.width() - 2 * kMargin) * 100 / at100.sheetWidth;
  int byHeight = (room.height() - 2 * kMargin) * 100 / at100.sheetHeight;
  return std::clamp(std::min(byWidth, byHeight), kMinZoom, kMaxZoom);
}

void DesignerCanvas::SetLines(std::vector<std::string> lines, std::string styleFolder) {
  lines_ = std::move(lines);
  styleFolder_ = std::move(styleFolder);
  update();
}

void DesignerCanvas::SetSelection(std::optional<ElementShape> shape) {
  selection_ = std::move(shape);
  update();
}

void DesignerCanvas::SetGridShown(bool shown) {
  gridShown_ = shown;
  update();
}

void DesignerCanvas::Relayout() {
  layout_ = printing::LayoutPreview(metrics_, screenX_, screenY_, zoom_);
  setFixedSize(std::max(1, layout_.sheetWidth) + 2 * kMargin,
               std::max(1, layout_.sheetHeight) + 2 * kMargin);
  update();
}

QPoint DesignerCanvas::AreaOrigin() const {
  return {kMargin + layout_.areaLeft, kMargin + layout_.areaTop};
}

Fixed DesignerCanvas::PixelsPerMm() const {
  return printing::ScaleFor(Fixed::FromInt(std::max(1, layout_.previewDpiX)));
}

Fixed DesignerCanvas::MmPerPixel() const {
  return Fixed::Divide(Fixed::FromInt(1), PixelsPerMm());
}

MmPoint DesignerCanvas::ToMm(QPoint point) const {
  QPoint p = point - AreaOrigin();
  Fixed sx = printing::ScaleFor(Fixed::FromInt(std::max(1, layout_.previewDpiX)));
  Fixed sy = printing::ScaleFor(Fixed::FromInt(std::max(1, layout_.previewDpiY)));
  return {Fixed::Divide(Fixed::FromInt(p.x()), sx), Fixed::Divide(Fixed::FromInt(p.y()), sy)};
}

QPoint DesignerCanvas::ToPixel(MmPoint point) const {
  Fixed sx = printing::ScaleFor(Fixed::FromInt(std::max(1, layout_.previewDpiX)));
  Fixed sy = printing::ScaleFor(Fixed::FromInt(std::max(1, layout_.previewDpiY)));
  return AreaOrigin() +
         QPoint(layout::MmToPixel(point.x, 0, sx), layout::MmToPixel(point.y, 0, sy));
}

void DesignerCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kDeskColor);
  painter.fillRect(kMargin, kMargin, layout_.sheetWidth, layout_.sheetHeight, kMarginColor);
  QRect area(AreaOrigin(), QSize(std::max(1, layout_.areaWidth), std::max(1, layout_.areaHeight)));
  painter.fillRect(area, Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  if (gridShown_) {
    DrawGrid(painter);
  }
  painter.save();
  painter.translate(area.topLeft());
  painter.setClipRect(QRect(QPoint(0, 0), area.size()));
  // What the print preview draws without its offsets: positions are those
  // of the style file.
  printing::PageSettings settings =
      printing::PreviewPageSettings(layout_, zoom_, screenX_, screenY_, metrics_);
  settings.styleFolder = styleFolder_;
  try {
    layout::QtSurface surface(painter);
    std::vector<std::string> failures = printing::DrawPage(surface, lines_, settings, pictures_);
    if (!failures.empty()) {
      emit drawFailed(QString::fromStdString(failures.front()));  // the rest is drawn
    }
  } catch (const std::exception& e) {
    emit drawFailed(QString::fromUtf8(e.what()));
  }
  painter.restore();
  DrawRulerGuides(painter);
  DrawPlaceholders(painter);
  DrawSelection(painter);
}

void DesignerCanvas::SetGridStep(Fixed step) {
  gridStep_ = step;
  update();
}

void DesignerCanvas::AddRulerGuide(bool vertical, Fixed at) {
  std::vector<Fixed>& guides = vertical ? guidesX_ : guidesY_;
  if (std::find(guides.begin(), guides.end(), at) == guides.end()) {
    guides.push_back(at);
  }
  update();
}

void DesignerCanvas::ClearRulerGuides() {
  guidesX_.clear();
  guidesY_.clear();
  update();
}

void DesignerCanvas::ShowPendingGuide(std::optional<std::pair<bool, Fixed>> guide) {
  pendingGuide_ = guide;
  update();
}

void DesignerCanvas::DrawRulerGuides(QPainter& painter) const {
  QRect area(AreaOrigin(), QSize(layout_.areaWidth, layout_.areaHeight));
  auto draw = [&](bool vertical, Fixed at) {
    QPoint p = ToPixel({at, at});
    if (vertical) {
      painter.drawLine(p.x(), area.top(), p.x(), area.bottom());
    } else {
      painter.drawLine(area.left(), p.y(), area.right(), p.y());
    }
  };
  painter.save();
  painter.setPen(QPen(QColor(0x00, 0xA0, 0xC0), 1));
  for (Fixed x : guidesX_) {
    draw(true, x);
  }
  for (Fixed y : guidesY_) {
    draw(false, y);
  }
  if (pendingGuide_) {
    painter.setPen(QPen(QColor(0x00, 0xA0, 0xC0), 1, Qt::DashLine));
    draw(pendingGuide_->first, pendingGuide_->second);
  }
  painter.restore();
}

void DesignerCanvas::SetGroupSelection(std::vector<MmBox> boxes) {
  if (boxes != group_) {
    group_ = std::move(boxes);
    update();
  }
}

void DesignerCanvas::SetBand(std::optional<MmBox> band) {
  if (band != band_) {
    band_ = band;
    update();
  }
}

void DesignerCanvas::SetGuides(std::optional<Fixed> x, std::optional<Fixed> y) {
  if (x != guideX_ || y != guideY_) {
    guideX_ = x;
    guideY_ = y;
    update();
  }
}

void DesignerCanvas::SetPlaceholders(std::vector<MmBox> boxes) {
  if (boxes != placeholders_) {
    placeholders_ = std::move(boxes);
    update();
  }
}

void DesignerCanvas::DrawPlaceholders(QPainter& painter) const {
  painter.save();
  QPen groupPen(kSelectionColor);
  groupPen.setStyle(Qt::DashLine);
  painter.setPen(groupPen);
  painter.setBrush(Qt::NoBrush);
  for (const MmBox& box : group_) {
    painter.drawRect(QRect(ToPixel({box.left, box.top}), ToPixel({box.right, box.bottom}))
                         .normalized()
                         .adjusted(-2, -2, 2, 2));
  }
  if (guideX_ || guideY_) {
    painter.setPen(QPen(QColor(0xD0, 0x00, 0xB0), 1, Qt::DashLine));
    QRect area(AreaOrigin(), QSize(layout_.areaWidth, layout_.areaHeight));
    if (guideX_) {
      int x = ToPixel({*guideX_, Fixed()}).x();
      painter.drawLine(x, area.top(), x, area.bottom());
    }
    if (guideY_) {
      int y = ToPixel({Fixed(), *guideY_}).y();
      painter.drawLine(area.left(), y, area.right(), y);
    }
  }
  if (band_) {
    QColor fill = kSelectionColor;
    fill.setAlpha(40);
    painter.setPen(QPen(kSelectionColor, 1, Qt::DotLine));
    painter.setBrush(fill);
    painter.drawRect(
        QRect(ToPixel({band_->left, band_->top}), ToPixel({band_->right, band_->bottom}))
            .normalized());
    painter.setBrush(Qt::NoBrush);
  }
  painter.setPen(QPen(QColor(0xB0, 0x30, 0x30), 1, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  for (const MmBox& box : placeholders_) {
    QRect r(ToPixel({box.left, box.top}), ToPixel({box.right, box.bottom}));
    r = r.normalized();
    painter.drawRect(r);
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomLeft());
  }
  painter.restore();
}

void DesignerCanvas::DrawGrid(QPainter& painter) const {
  // A line every step where they are at least 4 pixels apart, else every
  // 5 or 10 mm; stronger every 10 mm.
  double perMm = static_cast<double>(PixelsPerMm().Raw()) / Fixed::kOne;
  std::int64_t step = std::max<std::int64_t>(gridStep_.Raw(), Fixed::kOne / 10);
  if (static_cast<double>(step) / Fixed::kOne * perMm < 4) {
    step = (5 * perMm >= 4 ? 5 : 10) * std::int64_t{Fixed::kOne};
  }
  QRect area(AreaOrigin(), QSize(layout_.areaWidth, layout_.areaHeight));
  std::int64_t width = std::int64_t{metrics_.printableWidthMm} * Fixed::kOne;
  std::int64_t height = std::int64_t{metrics_.printableHeightMm} * Fixed::kOne;
  for (std::int64_t at = step; at < std::max(width, height); at += step) {
    painter.setPen(at % (10 * Fixed::kOne) == 0 ? QColor(200, 215, 235) : QColor(232, 238, 246));
    if (at < width) {
      int x = ToPixel({Fixed::FromRaw(at), Fixed()}).x();
      painter.drawLine(x, area.top() + 1, x, area.bottom() - 1);
    }
    if (at < height) {
      int y = ToPixel({Fixed(), Fixed::FromRaw(at)}).y();
      painter.drawLine(area.left() + 1, y, area.right() - 1, y);
    }
  }
}

void DesignerCanvas::DrawSelection(QPainter& painter) const {
  if (!selection_) {
    return;
  }
  QPen pen(kSelectionColor);
  pen.setStyle(Qt::DashLine);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  if (selection_->isSegment) {
    painter.drawLine(ToPixel(selection_->start), ToPixel(selection_->end));
  } else {
    QRect box(ToPixel({selection_->box.left, selection_->box.top}),
              ToPixel({selection_->box.right, selection_->box.bottom}));
    painter.drawRect(box.normalized().adjusted(-1, -1, 1, 1));
  }
  painter.setPen(kSelectionColor);
  painter.setBrush(Qt::white);
  if (!selection_->resizable) {
    return;
  }
  for (const auto& [handle, at] : HandlesOf(*selection_)) {
    QPoint p = ToPixel(at);
    painter.drawRect(p.x() - kHandleSize / 2, p.y() - kHandleSize / 2, kHandleSize - 1,
                     kHandleSize - 1);
  }
}

void DesignerCanvas::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) {
    return;
  }
  MmPoint at = ToMm(event->position().toPoint());
  dragFrom_ = at;
  emit pressed(at, (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) != 0);
}

void DesignerCanvas::mouseMoveEvent(QMouseEvent* event) {
  MmPoint at = ToMm(event->position().toPoint());
  emit pointerMoved(at);
  if (dragFrom_ && (event->buttons() & Qt::LeftButton)) {
    emit dragged(*dragFrom_, at, (event->modifiers() & Qt::AltModifier) != 0);
  }
}

void DesignerCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragFrom_) {
    return;
  }
  MmPoint from = *dragFrom_;
  dragFrom_.reset();
  emit released(from, ToMm(event->position().toPoint()),
                (event->modifiers() & Qt::AltModifier) != 0);
}

namespace {

// The tag a drag carries: one line of text starting "#".
QString DraggedTag(const QMimeData* data) {
  QString text = data != nullptr && data->hasText() ? data->text().trimmed() : QString();
  return text.startsWith(QLatin1Char('#')) && !text.contains(QLatin1Char('\n')) ? text : QString();
}

}  // namespace

void DesignerCanvas::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedTag(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

void DesignerCanvas::dragMoveEvent(QDragMoveEvent* event) {
  if (!DraggedTag(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

void DesignerCanvas::dropEvent(QDropEvent* event) {
  QString tag = DraggedTag(event->mimeData());
  if (tag.isEmpty()) {
    return;
  }
  event->acceptProposedAction();
  emit tagDropped(ToMm(event->position().toPoint()), tag);
}

void DesignerCanvas::contextMenuEvent(QContextMenuEvent* event) {
  emit menuRequested(ToMm(event->pos()), event->globalPos());
}

void DesignerCanvas::keyPressEvent(QKeyEvent* event) {
  // Ctrl+Tab leaves the page for the next control, as in other widgets
  // that use Tab themselves.
  if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
      (event->modifiers() & Qt::ControlModifier)) {
    QWidget::focusNextPrevChild(event->key() == Qt::Key_Tab &&
                                !(event->modifiers() & Qt::ShiftModifier));
    return;
  }
  QWidget::keyPressEvent(event);
}

bool DesignerCanvas::focusNextPrevChild(bool next) {
  // Tab and Shift+Tab step through the elements while the page has focus.
  emit cycleRequested(next);
  return true;
}

}  // namespace designer
