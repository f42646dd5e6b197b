#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace layout {

// A colour as 0x00BBGGRR (red + 256 green + 65536 blue).
using Rgb = std::uint32_t;

inline constexpr Rgb kWhite = 16777215;
inline constexpr Rgb kBlack = 0;

// A style colour value: non-negative values are Rgb; a negative one names a
// desktop system colour by the index in its lowest byte.
Rgb ResolveColor(int value);

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, InsideFrame };
enum class BrushStyle {
  Solid,
  Clear,
  Horizontal,
  Vertical,
  FDiagonal,
  BDiagonal,
  Cross,
  DiagCross
};

struct FontStyle {
  bool bold = false;
  bool italic = false;
  bool operator==(const FontStyle&) const = default;
};

struct PenState {
  PenStyle style = PenStyle::Solid;
  Rgb color = kBlack;
  int width = 1;
  bool operator==(const PenState&) const = default;
};

struct BrushState {
  BrushStyle style = BrushStyle::Solid;
  Rgb color = kWhite;
  bool operator==(const BrushState&) const = default;
};

// The font: a face (UTF-8), a style and a size in points at some
// pixels per inch; or, once SelectRotatedFont was called, a font made from a
// cell height in pixels and an escapement in tenths of a degree.
struct FontState {
  std::string face;
  FontStyle style;
  int size = 10;
  int pixelsPerInch = 96;
  Rgb color = kBlack;
  bool rotated = false;
  int cellHeight = 0;
  int escapement = 0;

  // The em height in pixels of an upright font: size * ppi / 72, rounded.
  int PixelHeight() const;
  bool operator==(const FontState&) const = default;
};

// A device-independent bitmap: 32-bit pixels 0xFFRRGGBB, rows top down.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

struct Extent {
  int width = 0;
  int height = 0;
};

// The drawing surface the layout engine draws on: a preview, a printer page,
// a test image or a recording. It keeps a pen, a brush and a font between
// calls, never restored by the engine; their rules live here, once for every
// surface. Coordinates are device pixels from the top-left corner; boxes
// (left, top, right, bottom) exclude their right and bottom edges.
class Surface {
 public:
  virtual ~Surface() = default;

  const PenState& Pen() const { return pen_; }
  const BrushState& Brush() const { return brush_; }
  const FontState& Font() const { return font_; }

  void SetPenStyle(PenStyle style) { pen_.style = style; }
  void SetPenColor(Rgb color) { pen_.color = color; }
  void SetPenWidth(int width) { pen_.width = width; }
  void SetBrushStyle(BrushStyle style) { brush_.style = style; }
  // Giving a clear brush a colour makes it solid.
  void SetBrushColor(Rgb color);
  void SetFontFace(std::string faceUtf8);
  void SetFontStyle(FontStyle style);
  void SetFontSize(int points);
  void SetFontPixelsPerInch(int ppi);
  void SetFontColor(Rgb color) { font_.color = color; }
  void SelectRotatedFont(std::string faceUtf8, int cellHeight, int escapement);

  // Move-to and line-to: a line in the pen whose end pixel is not set.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);

  // Outlined with the pen and filled with the brush.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                         int cornerHeight) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // Counter-clockwise from the radial through (xs, ys) to the one through (xe, ye).
  virtual void Arc(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) = 0;
  virtual void Chord(int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) = 0;
  // The brush alone; a clear brush fills nothing.
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  // Text in the font colour with its first cell's top-left corner at (x, y),
  // no background.
  virtual void TextOut(int x, int y, std::string_view textUtf8) = 0;
  virtual Extent TextExtent(std::string_view textUtf8) = 0;
  // Makes the outline of the text, laid out as one line centred in the box,
  // the clip region; false when it is empty.
  virtual bool SelectGlyphClip(int left, int top, int right, int bottom,
                               std::string_view textUtf8) = 0;
  virtual void ClearClip() = 0;
  // The whole bitmap stretched into (x, y, width, height).
  virtual void StretchBitmap(int x, int y, int width, int height, const Bitmap& bitmap) = 0;

 protected:
  virtual void Line(int x1, int y1, int x2, int y2) = 0;

 private:
  PenState pen_;
  BrushState brush_;
  FontState font_;
  int penX_ = 0;
  int penY_ = 0;
};

}  // namespace layout
