#include "layout/qt/QtSurface.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainterPath>
#include <QRawFont>
#include <cmath>

#include "layout/qt/FontSubstitutes.h"

namespace layout {

namespace {

QString Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Qt::BrushStyle QtBrushStyle(layout::BrushStyle style) {
  switch (style) {
    case layout::BrushStyle::Solid: return Qt::SolidPattern;
    case layout::BrushStyle::Clear: return Qt::NoBrush;
    case layout::BrushStyle::Horizontal: return Qt::HorPattern;
    case layout::BrushStyle::Vertical: return Qt::VerPattern;
    case layout::BrushStyle::FDiagonal: return Qt::FDiagPattern;
    case layout::BrushStyle::BDiagonal: return Qt::BDiagPattern;
    case layout::BrushStyle::Cross: return Qt::CrossPattern;
    case layout::BrushStyle::DiagCross: return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

// The cell height (ascent + descent) of a font at a pixel size.
int CellHeightAt(QFont font, int pixelSize) {
  font.setPixelSize(std::max(1, pixelSize));
  return QFontMetrics(font).height();
}

}  // namespace

QColor ToQColor(layout::Rgb color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QtSurface::QtSurface(QPainter& painter) : painter_(painter) {
  RegisterWindowsFontSubstitutes();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter_.setBackgroundMode(Qt::TransparentMode);
}

QPen QtSurface::MakePen() const {
  const layout::PenState& state = Pen();
  QPen pen(ToQColor(state.color));
  pen.setWidth(std::max(1, state.width));
  if (state.width <= 1) {
    pen.setCapStyle(Qt::FlatCap);
  } else {
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  switch (state.style) {
    case layout::PenStyle::Dash: pen.setDashPattern({18, 6}); break;
    case layout::PenStyle::Dot: pen.setDashPattern({3, 3}); break;
    case layout::PenStyle::DashDot: pen.setDashPattern({9, 6, 3, 6}); break;
    case layout::PenStyle::DashDotDot: pen.setDashPattern({9, 3, 3, 3, 3, 3}); break;
    default: pen.setStyle(Qt::SolidLine); break;
  }
  return pen;
}

QBrush QtSurface::MakeBrush() const {
  return QBrush(ToQColor(Brush().color), QtBrushStyle(Brush().style));
}

QRectF QtSurface::OutlineBox(int left, int top, int right, int bottom) const {
  int w = Pen().width;
  if (Pen().style == layout::PenStyle::InsideFrame && w > 1) {
    return QRectF(left + w / 2.0, top + w / 2.0, (right - left) - w, (bottom - top) - w);
  }
  return QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
}

void QtSurface::Line(int x1, int y1, int x2, int y2) {
  if (x1 == x2 && y1 == y2) {
    return;  // a line of no length leaves no mark
  }
  painter_.setPen(MakePen());
  if (Pen().width <= 1) {
    // A thin line sets its start pixel and not its end pixel. Qt draws a
    // line from its lower end along the main axis and leaves out the higher
    // end, so a line given the other way round is slid one pixel along
    // itself: the same pixels from the start up to, not including, the end.
    // Given in its own order, a dashed pen's pattern still starts at its start.
    int dx = x2 - x1;
    int dy = y2 - y1;
    bool xMajor = std::abs(dx) >= std::abs(dy);
    if (xMajor ? dx < 0 : dy < 0) {
      QPointF step = xMajor ? QPointF(1.0, static_cast<double>(dy) / dx)
                            : QPointF(static_cast<double>(dx) / dy, 1.0);
      painter_.drawLine(QPointF(x1, y1) + step, QPointF(x2, y2) + step);
      return;
    }
  }
  painter_.drawLine(QPoint(x1, y1), QPoint(x2, y2));
}

void QtSurface::Rectangle(int left, int top, int right, int bottom) {
  painter_.setPen(MakePen());
  painter_.setBrush(MakeBrush());
  if (Pen().style == layout::PenStyle::InsideFrame && Pen().width > 1) {
    painter_.drawRect(OutlineBox(left, top, right, bottom));
  } else {
    painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
  }
}

void QtSurface::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                          int cornerHeight) {
  painter_.setPen(MakePen());
  painter_.setBrush(MakeBrush());
  double rx = cornerWidth / 2.0;
  double ry = cornerHeight / 2.0;
  if (Pen().style == layout::PenStyle::InsideFrame && Pen().width > 1) {
    painter_.drawRoundedRect(OutlineBox(left, top, right, bottom), rx, ry, Qt::AbsoluteSize);
  } else {
    painter_.drawRoundedRect(QRect(left, top, right - left - 1, bottom - top - 1), rx, ry,
                             Qt::AbsoluteSize);
  }
}

void QtSurface::Ellipse(int left, int top, int right, int bottom) {
  painter_.setPen(MakePen());
  painter_.setBrush(MakeBrush());
  painter_.drawEllipse(OutlineBox(left, top, right, bottom));
}

std::pair<int, int> QtSurface::ArcAngles(int left, int top, int right, int bottom, int xs, int ys,
                                         int xe, int ye) {
  double cx = (left + right) / 2.0;
  double cy = (top + bottom) / 2.0;
  double a = std::max(0.5, std::abs(right - left) / 2.0);
  double b = std::max(0.5, std::abs(bottom - top) / 2.0);
  auto angle = [&](int x, int y) { return std::atan2((cy - y) / b, (x - cx) / a) * 180.0 / M_PI; };
  double start = angle(xs, ys);
  double span = angle(xe, ye) - start;
  while (span <= 0) {
    span += 360.0;
  }
  while (span > 360.0) {
    span -= 360.0;
  }
  return {static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16))};
}

void QtSurface::Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  auto [start, span] = ArcAngles(left, top, right, bottom, xs, ys, xe, ye);
  painter_.setPen(MakePen());
  painter_.setBrush(Qt::NoBrush);
  painter_.drawArc(OutlineBox(left, top, right, bottom), start, span);
}

void QtSurface::Chord(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
  auto [start, span] = ArcAngles(left, top, right, bottom, xs, ys, xe, ye);
  painter_.setPen(MakePen());
  painter_.setBrush(MakeBrush());
  painter_.drawChord(OutlineBox(left, top, right, bottom), start, span);
}

void QtSurface::FillRect(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top || Brush().style == layout::BrushStyle::Clear) {
    return;
  }
  painter_.fillRect(QRect(left, top, right - left, bottom - top), MakeBrush());
}

QFont QtSurface::CurrentFont() const {
  const layout::FontState& state = Font();
  QFont font(Text(state.face));
  font.setStyleStrategy(QFont::PreferDefault);
  // The glyphs' own outlines, as paper shows them: the font's hinting
  // deforms small digits on screen (a 7-point "8" turns into a "3").
  font.setHintingPreference(QFont::PreferNoHinting);
  if (state.rotated) {
    // A positive height is a cell height: find the em size that gives it.
    int cell = std::max(1, state.cellHeight);
    int measured = CellHeightAt(font, cell);
    int em = measured > 0
                 ? static_cast<int>(std::lround(static_cast<double>(cell) * cell / measured))
                 : cell;
    font.setPixelSize(std::max(1, em));
    return font;
  }
  font.setPixelSize(std::max(1, state.PixelHeight()));
  font.setBold(state.style.bold);
  font.setItalic(state.style.italic);
  return font;
}

void QtSurface::TextOut(int x, int y, std::string_view textUtf8) {
  QFont font = CurrentFont();
  QFontMetrics metrics(font);
  QString text = Text(textUtf8);
  painter_.setFont(font);
  painter_.setPen(ToQColor(Font().color));
  if (watcher_) {
    watcher_(text, font);
  }
  if (Font().rotated) {
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-Font().escapement / 10.0);
    painter_.drawText(0, metrics.ascent(), text);
    painter_.restore();
    return;
  }
  painter_.drawText(x, y + metrics.ascent(), text);
}

layout::Extent QtSurface::TextExtent(std::string_view textUtf8) {
  QFontMetrics metrics(CurrentFont());
  return {metrics.horizontalAdvance(Text(textUtf8)), metrics.height()};
}

bool QtSurface::SelectGlyphClip(int left, int top, int right, int bottom,
                                std::string_view textUtf8) {
  QFont font = CurrentFont();
  QFontMetrics metrics(font);
  QString text = Text(textUtf8);
  int tx = left + ((right - left) - metrics.horizontalAdvance(text)) / 2;
  int ty = top + ((bottom - top) - metrics.height()) / 2;
  QPainterPath path;
  path.addText(QPointF(tx, ty + metrics.ascent()), font, text);
  if (path.isEmpty()) {
    painter_.setClipRect(QRect(), Qt::ReplaceClip);
    return false;
  }
  painter_.setClipPath(path);
  return true;
}

void QtSurface::ClearClip() {
  painter_.setClipping(false);
}

void QtSurface::StretchBitmap(int x, int y, int width, int height, const layout::Bitmap& bitmap) {
  if (width <= 0 || height <= 0 || bitmap.width <= 0 || bitmap.height <= 0 ||
      bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height) {
    return;
  }
  QImage image(reinterpret_cast<const uchar*>(bitmap.pixels.data()), bitmap.width, bitmap.height,
               bitmap.width * 4, QImage::Format_RGB32);
  painter_.drawImage(QRect(x, y, width, height), image);
}

}  // namespace layout
