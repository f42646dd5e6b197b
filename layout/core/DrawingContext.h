#pragma once

#include <string>
#include <vector>

#include "layout/core/Fixed.h"
#include "layout/core/Surface.h"

namespace layout {

class PictureDecoder;

// What every element drawer reads: set by the page drawing before the style
// lines are drawn.
struct DrawingContext {
  Surface* surface = nullptr;
  bool onPrinter = false;
  Fixed scaleX;  // device pixels per millimetre
  Fixed scaleY;
  int offsetX = 0;  // whole millimetres added to every page position
  int offsetY = 0;
  // The print window's offset boxes, which a "header" element switches on.
  Fixed offsetBoxX;
  Fixed offsetBoxY;
  bool printedOnly = false;  // the preview, too, leaves out preview-only elements
  int previewPpi = 96;       // P: the preview's pixels per inch at its zoom
  int zoomPercent = 100;
  Fixed screenResX = Fixed::FromInt(96);
  Fixed screenResY = Fixed::FromInt(96);
  Fixed printerResX = Fixed::FromInt(600);
  Fixed printerResY = Fixed::FromInt(600);
  PictureDecoder* pictures = nullptr;  // none: pictures are not drawn
  // The style file's folder (file system bytes): a relative picture name
  // that is not found from the current directory is looked for there.
  std::string styleFolder;
  // The style line being drawn (0 is the header).
  int line = 0;
  // Pictures that could not be read, each "N 行目の画像: why": the rest of
  // the page is drawn without them.
  std::vector<std::string> pictureFailures;

  // A page position in millimetres as a device pixel on each axis.
  int MapX(Fixed mm) const;
  int MapY(Fixed mm) const;
  // Whether an element with the preview-only flag set is left out.
  bool Skips(bool previewOnly) const { return previewOnly && (onPrinter || printedOnly); }
};

// trunc((offset + position) * scale), exactly.
int MmToPixel(Fixed position, int offset, Fixed scale);

}  // namespace layout
