#include "layout/core/Surface.h"

#include <cmath>

namespace layout {

namespace {

// The desktop's classic system colours by index.
constexpr Rgb kSystemColors[] = {
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xD77800, 0xF0F0F0,
};

}  // namespace

Rgb ResolveColor(int value) {
  if (value >= 0) {
    return static_cast<Rgb>(value) & 0xFFFFFF;
  }
  unsigned index = static_cast<unsigned>(value) & 0xFF;
  return index < std::size(kSystemColors) ? kSystemColors[index] : kBlack;
}

int FontState::PixelHeight() const {
  return static_cast<int>(std::lround(static_cast<double>(size) * pixelsPerInch / 72.0));
}

void Surface::SetBrushColor(Rgb color) {
  brush_.color = color;
  if (brush_.style == BrushStyle::Clear) {
    brush_.style = BrushStyle::Solid;
  }
}

void Surface::SetFontFace(std::string faceUtf8) {
  font_.face = std::move(faceUtf8);
  font_.rotated = false;
}

void Surface::SetFontStyle(FontStyle style) {
  font_.style = style;
  font_.rotated = false;
}

void Surface::SetFontSize(int points) {
  font_.size = points;
  font_.rotated = false;
}

void Surface::SetFontPixelsPerInch(int ppi) {
  font_.pixelsPerInch = ppi;
  font_.rotated = false;
}

void Surface::SelectRotatedFont(std::string faceUtf8, int cellHeight, int escapement) {
  font_.face = std::move(faceUtf8);
  font_.rotated = true;
  font_.cellHeight = cellHeight;
  font_.escapement = escapement;
}

void Surface::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void Surface::LineTo(int x, int y) {
  Line(penX_, penY_, x, y);
  penX_ = x;
  penY_ = y;
}

}  // namespace layout
