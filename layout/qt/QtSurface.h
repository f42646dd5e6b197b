#pragma once

#include <QFont>
#include <QPainter>
#include <functional>

#include "layout/core/Surface.h"

namespace layout {

// The drawing surface over a QPainter (begun on a QImage, a widget or a
// printer) with the pixel conventions of the desktop's drawing library:
// line ends and the right and bottom edges of boxes excluded, hatches
// anchored at the device origin, the desktop's dash lengths, inside-frame
// pens, counter-clockwise arcs from radial points, cell heights for rotated
// fonts, glyph outlines as a clip, nearest-neighbour stretching.
class QtSurface : public layout::Surface {
 public:
  explicit QtSurface(QPainter& painter);

  void Rectangle(int left, int top, int right, int bottom) override;
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                 int cornerHeight) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override;
  void Chord(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, std::string_view textUtf8) override;
  layout::Extent TextExtent(std::string_view textUtf8) override;
  bool SelectGlyphClip(int left, int top, int right, int bottom,
                       std::string_view textUtf8) override;
  void ClearClip() override;
  void StretchBitmap(int x, int y, int width, int height, const layout::Bitmap& bitmap) override;

  // The font the surface's state describes, as Qt draws it.
  QFont CurrentFont() const;

  // Told each text drawn as text (not as an outline), with its font.
  using TextWatcher = std::function<void(const QString& text, const QFont& font)>;
  void WatchText(TextWatcher watcher) { watcher_ = std::move(watcher); }

 protected:
  void Line(int x1, int y1, int x2, int y2) override;

 private:
  QPen MakePen() const;
  QBrush MakeBrush() const;
  // The outline box of a closed figure, inset for an inside-frame pen.
  QRectF OutlineBox(int left, int top, int right, int bottom) const;
  // Start angle and span (1/16 degree) of an arc between two radials.
  static std::pair<int, int> ArcAngles(int left, int top, int right, int bottom, int xs, int ys,
                                       int xe, int ye);

  QPainter& painter_;
  TextWatcher watcher_;
};

// Qt's colour for a 0x00BBGGRR value.
QColor ToQColor(layout::Rgb color);

}  // namespace layout
