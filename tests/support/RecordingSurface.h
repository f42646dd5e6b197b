#pragma once

#include <string>
#include <vector>

#include "layout/core/Pictures.h"
#include "layout/core/Surface.h"

namespace testsupport {

// A drawing surface that writes down every operation with the state it
// used, one line each, e.g. "line 0,0-37,0 pen=solid/0/1". Text extents are
// half the pixel height per byte wide and the pixel height high.
class RecordingSurface : public layout::Surface {
 public:
  std::vector<std::string> calls;

  void Rectangle(int l, int t, int r, int b) override;
  void RoundRect(int l, int t, int r, int b, int cw, int ch) override;
  void Ellipse(int l, int t, int r, int b) override;
  void Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override;
  void Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye) override;
  void FillRect(int l, int t, int r, int b) override;
  void TextOut(int x, int y, std::string_view textUtf8) override;
  layout::Extent TextExtent(std::string_view textUtf8) override;
  bool SelectGlyphClip(int l, int t, int r, int b, std::string_view textUtf8) override;
  void ClearClip() override;
  void StretchBitmap(int x, int y, int w, int h, const layout::Bitmap& bitmap) override;

  std::string PenText() const;
  std::string BrushText() const;

 protected:
  void Line(int x1, int y1, int x2, int y2) override;

 private:
  void Add(const std::string& call) { calls.push_back(call); }
};

// Pictures of fixed sizes instead of decoding: bitmaps are `width` x
// `height`, JPEGs `jpegWidth` x `jpegHeight`.
class FakePictureDecoder : public layout::PictureDecoder {
 public:
  int width = 200;
  int height = 100;
  int jpegWidth = 400;
  int jpegHeight = 300;
  layout::Bitmap DecodeBitmap(std::string_view, const std::string&) override;
  layout::Bitmap DecodeJpeg(std::string_view) override;
};

}  // namespace testsupport
