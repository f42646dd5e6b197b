// The shape elements: line, rect, rrect, Arc, Chord, Ellipse and fillrect.

#include <cmath>

#include "layout/core/DrawElements.h"
#include "layout/core/NameTables.h"

namespace layout {

namespace {

struct Corners {
  Fixed x1, y1, x2, y2;
};

Corners TakeCorners(RecordReader& record) {
  Corners c;
  c.x1 = record.TakeDecimal();
  c.y1 = record.TakeDecimal();
  c.x2 = record.TakeDecimal();
  c.y2 = record.TakeDecimal();
  return c;
}

struct Box {
  int left, top, right, bottom;
};

Box Map(const Corners& c, const DrawingContext& context) {
  return {context.MapX(c.x1), context.MapY(c.y1), context.MapX(c.x2), context.MapY(c.y2)};
}

// Pen width field, line kind and colour, as the shapes read them.
struct PenFields {
  int width;
  PenStyle style;
};

PenFields TakePen(RecordReader& record, Surface& surface) {
  PenFields pen;
  pen.width = record.TakeInteger();
  pen.style = PenStyleFromName(record.TakeField());
  surface.SetPenStyle(pen.style);
  surface.SetPenColor(ResolveColor(record.TakeIntegerOr0()));
  return pen;
}

void TakeBrush(RecordReader& record, Surface& surface) {
  std::string name = record.TakeField();
  surface.SetBrushStyle(BrushStyleFromName(name));
  // Setting a colour makes a clear brush solid, but not a transparent one.
  surface.SetBrushColor(ResolveColor(record.TakeIntegerOr0()));
  if (KeepsBrushClear(name)) {
    surface.SetBrushStyle(BrushStyle::Clear);
  }
}

void FourLines(Surface& s, const Box& b) {
  s.MoveTo(b.left, b.top);
  s.LineTo(b.right, b.top);
  s.MoveTo(b.left, b.bottom);
  s.LineTo(b.right, b.bottom);
  s.MoveTo(b.left, b.top);
  s.LineTo(b.left, b.bottom);
  s.MoveTo(b.right, b.top);
  s.LineTo(b.right, b.bottom);
}

// Reads the pen and the preview-only flag of a line or rect; false when the
// element is left out.
bool PrepareLinePen(RecordReader& record, DrawingContext& context) {
  Surface& s = *context.surface;
  PenFields pen = TakePen(record, s);
  if (context.Skips(record.TakeFlag())) {
    return false;
  }
  s.SetPenWidth(PenWidthFor(pen.width, pen.style, context));
  return true;
}

// The pen, brush and preview-only flag of a filled shape, in the order the
// record holds them; false when the element is left out.
bool PrepareFilledShape(RecordReader& record, DrawingContext& context) {
  Surface& s = *context.surface;
  PenFields pen = TakePen(record, s);
  TakeBrush(record, s);
  if (context.Skips(record.TakeFlag())) {
    return false;
  }
  s.SetPenWidth(PenWidthFor(pen.width, pen.style, context));
  return true;
}

// Arc and Chord share their fields; `chord` closes and fills.
void DrawArcOrChord(RecordReader& record, DrawingContext& context, bool chord) {
  Surface& s = *context.surface;
  Corners c = TakeCorners(record);
  int startX = record.TakeInteger();
  int startY = record.TakeInteger();
  int endX = record.TakeInteger();
  int endY = record.TakeInteger();
  if (!PrepareFilledShape(record, context)) {
    return;
  }
  Box b = Map(c, context);
  // The start point uses the vertical scale for both numbers and no offset;
  // the end point is in device pixels.
  int xs = TruncProduct(Fixed::FromInt(startX), context.scaleY);
  int ys = TruncProduct(Fixed::FromInt(startY), context.scaleY);
  if (chord) {
    s.Chord(b.left, b.top, b.right, b.bottom, xs, ys, endX, endY);
  } else {
    s.Arc(b.left, b.top, b.right, b.bottom, xs, ys, endX, endY);
  }
  ResetPenAndBrush(s);
}

}  // namespace

// Wider pens than any page are held at this many pixels.
constexpr long long kMaxPenWidth = 10000;

void ResetPenAndBrush(Surface& surface) {
  surface.SetPenStyle(PenStyle::Solid);
  surface.SetPenColor(kWhite);
  surface.SetBrushStyle(BrushStyle::Clear);
  surface.SetBrushColor(kWhite);
}

int PenWidthFor(int width, PenStyle style, const DrawingContext& context) {
  long long w = static_cast<long long>(width) + (context.onPrinter ? 4 : 0);
  long long n = std::llround(static_cast<double>(w) * context.previewPpi / 144.0);
  bool broken = style == PenStyle::Dash || style == PenStyle::Dot || style == PenStyle::DashDot ||
                style == PenStyle::DashDotDot;
  if (broken || n <= 0) {
    return 1;
  }
  return n > kMaxPenWidth ? kMaxPenWidth : static_cast<int>(n);
}

void DrawLineElement(RecordReader& record, DrawingContext& context) {
  Corners c = TakeCorners(record);
  if (!PrepareLinePen(record, context)) {
    return;
  }
  Box b = Map(c, context);
  context.surface->MoveTo(b.left, b.top);
  context.surface->LineTo(b.right, b.bottom);
  ResetPenAndBrush(*context.surface);
}

void DrawRectElement(RecordReader& record, DrawingContext& context) {
  Corners c = TakeCorners(record);
  if (!PrepareLinePen(record, context)) {
    return;
  }
  FourLines(*context.surface, Map(c, context));
  ResetPenAndBrush(*context.surface);
}

void DrawImageFrame(Fixed x1, Fixed y1, Fixed x2, Fixed y2, DrawingContext& context) {
  // The pen of a rect record "width 0, no line kind, colour 0, shown".
  RecordReader pen("0;;0;0;");
  if (!PrepareLinePen(pen, context)) {
    return;
  }
  FourLines(*context.surface, Map({x1, y1, x2, y2}, context));
  ResetPenAndBrush(*context.surface);
}

void DrawRoundRectElement(RecordReader& record, DrawingContext& context) {
  Surface& s = *context.surface;
  Corners c = TakeCorners(record);
  int cornerW = record.TakeInteger();
  int cornerH = record.TakeInteger();
  if (!PrepareFilledShape(record, context)) {
    return;
  }
  Box b = Map(c, context);
  s.RoundRect(b.left, b.top, b.right, b.bottom,
              TruncProduct(Fixed::FromInt(cornerW), context.scaleY),
              TruncProduct(Fixed::FromInt(cornerH), context.scaleY));
  ResetPenAndBrush(s);
}

void DrawArcElement(RecordReader& record, DrawingContext& context) {
  DrawArcOrChord(record, context, false);
}

void DrawChordElement(RecordReader& record, DrawingContext& context) {
  DrawArcOrChord(record, context, true);
}

void DrawEllipseElement(RecordReader& record, DrawingContext& context) {
  Surface& s = *context.surface;
  Corners c = TakeCorners(record);
  if (!PrepareFilledShape(record, context)) {
    return;
  }
  Box b = Map(c, context);
  s.Ellipse(b.left, b.top, b.right, b.bottom);
  ResetPenAndBrush(s);
}

void DrawFillRectElement(RecordReader& record, DrawingContext& context, bool frame) {
  Surface& s = *context.surface;
  Corners c = TakeCorners(record);
  // No brush colour follows: the fill takes the colour the surface holds.
  s.SetBrushStyle(BrushStyleFromName(record.TakeField()));
  s.SetPenColor(ResolveColor(record.TakeIntegerOr0()));
  record.TakeField();
  if (context.Skips(record.TakeFlag())) {
    return;
  }
  Box b = Map(c, context);
  s.FillRect(b.left, b.top, b.right, b.bottom);
  s.SetBrushStyle(BrushStyle::Clear);
  if (frame) {
    FourLines(s, b);
  }
  ResetPenAndBrush(s);
}

}  // namespace layout
