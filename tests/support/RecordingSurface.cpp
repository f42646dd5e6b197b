#include "tests/support/RecordingSurface.h"

#include "platform/text/Cp932.h"

namespace testsupport {

namespace {

const char* PenName(layout::PenStyle s) {
  switch (s) {
    case layout::PenStyle::Solid: return "solid";
    case layout::PenStyle::Dash: return "dash";
    case layout::PenStyle::Dot: return "dot";
    case layout::PenStyle::DashDot: return "dashdot";
    case layout::PenStyle::DashDotDot: return "dashdotdot";
    case layout::PenStyle::InsideFrame: return "insideframe";
  }
  return "?";
}

const char* BrushName(layout::BrushStyle s) {
  switch (s) {
    case layout::BrushStyle::Solid: return "solid";
    case layout::BrushStyle::Clear: return "clear";
    case layout::BrushStyle::Horizontal: return "horizontal";
    case layout::BrushStyle::Vertical: return "vertical";
    case layout::BrushStyle::FDiagonal: return "fdiagonal";
    case layout::BrushStyle::BDiagonal: return "bdiagonal";
    case layout::BrushStyle::Cross: return "cross";
    case layout::BrushStyle::DiagCross: return "diagcross";
  }
  return "?";
}

std::string Box(int l, int t, int r, int b) {
  return std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," +
         std::to_string(b);
}

std::string Point(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

layout::Bitmap Sized(int w, int h) {
  layout::Bitmap b;
  b.width = w;
  b.height = h;
  b.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0xFF000000u);
  return b;
}

}  // namespace

std::string RecordingSurface::PenText() const {
  return std::string("pen=") + PenName(Pen().style) + "/" + std::to_string(Pen().color) + "/" +
         std::to_string(Pen().width);
}

std::string RecordingSurface::BrushText() const {
  return std::string("brush=") + BrushName(Brush().style) + "/" + std::to_string(Brush().color);
}

void RecordingSurface::Line(int x1, int y1, int x2, int y2) {
  Add("line " + Point(x1, y1) + "-" + Point(x2, y2) + " " + PenText());
}

void RecordingSurface::Rectangle(int l, int t, int r, int b) {
  Add("rectangle " + Box(l, t, r, b) + " " + PenText() + " " + BrushText());
}

void RecordingSurface::RoundRect(int l, int t, int r, int b, int cw, int ch) {
  Add("roundrect " + Box(l, t, r, b) + " corner=" + Point(cw, ch) + " " + PenText() + " " +
      BrushText());
}

void RecordingSurface::Ellipse(int l, int t, int r, int b) {
  Add("ellipse " + Box(l, t, r, b) + " " + PenText() + " " + BrushText());
}

void RecordingSurface::Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  Add("arc " + Box(l, t, r, b) + " from=" + Point(xs, ys) + " to=" + Point(xe, ye) + " " +
      PenText());
}

void RecordingSurface::Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  Add("chord " + Box(l, t, r, b) + " from=" + Point(xs, ys) + " to=" + Point(xe, ye) + " " +
      PenText() + " " + BrushText());
}

void RecordingSurface::FillRect(int l, int t, int r, int b) {
  Add("fillrect " + Box(l, t, r, b) + " " + BrushText());
}

void RecordingSurface::TextOut(int x, int y, std::string_view textUtf8) {
  const layout::FontState& f = Font();
  std::string font =
      f.rotated ? "rotated=" + std::to_string(f.cellHeight) + "/" + std::to_string(f.escapement)
                : "px=" + std::to_string(f.PixelHeight()) + (f.style.bold ? "/bold" : "") +
                      (f.style.italic ? "/italic" : "");
  Add("text " + Point(x, y) + " '" + std::string(textUtf8) + "' " + font +
      " color=" + std::to_string(f.color));
}

layout::Extent RecordingSurface::TextExtent(std::string_view textUtf8) {
  int h = Font().PixelHeight();
  return {static_cast<int>(platform::Cp932Length(textUtf8)) * h / 2, h};
}

bool RecordingSurface::SelectGlyphClip(int l, int t, int r, int b, std::string_view textUtf8) {
  Add("clip " + Box(l, t, r, b) + " '" + std::string(textUtf8) + "'");
  return !textUtf8.empty();
}

void RecordingSurface::ClearClip() {
  Add("clearclip");
}

void RecordingSurface::StretchBitmap(int x, int y, int w, int h, const layout::Bitmap& bitmap) {
  Add("bitmap " + Point(x, y) + " size=" + Point(w, h) +
      " source=" + Point(bitmap.width, bitmap.height));
}

layout::Bitmap FakePictureDecoder::DecodeBitmap(std::string_view, const std::string&) {
  return Sized(width, height);
}

layout::Bitmap FakePictureDecoder::DecodeJpeg(std::string_view) {
  return Sized(jpegWidth, jpegHeight);
}

}  // namespace testsupport
