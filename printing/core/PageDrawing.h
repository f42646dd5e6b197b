#pragma once

#include <string>
#include <vector>

#include "layout/core/DrawingContext.h"
#include "printing/core/PageSetup.h"

namespace printing {

// How a page is drawn: on the printer or the preview, at which resolution,
// with which offsets, zoom and measurements.
struct PageSettings {
  bool onPrinter = false;
  layout::Fixed resolutionX = layout::Fixed::FromInt(96);  // dots per inch of the canvas
  layout::Fixed resolutionY = layout::Fixed::FromInt(96);
  layout::Fixed offsetBoxX;  // the offset boxes, millimetres
  layout::Fixed offsetBoxY;
  bool offsetsInPreview = true;  // the preview shows the offsets too
  int previewPpi = 96;           // Trunc(screen resolution x zoom)
  int zoomPercent = 100;
  layout::Fixed screenResX = layout::Fixed::FromInt(96);
  layout::Fixed screenResY = layout::Fixed::FromInt(96);
  layout::Fixed printerResX = layout::Fixed::FromInt(600);
  layout::Fixed printerResY = layout::Fixed::FromInt(600);
  std::string styleFolder;  // where relative picture names are also looked for
};

// A preview page as laid out at `zoomPercent`: the preview's resolution,
// the screen's and the printer's; no offsets (the caller sets them when the
// preview shows them) and no style folder.
PageSettings PreviewPageSettings(const PreviewLayout& layout, int zoomPercent,
                                 layout::Fixed screenX, layout::Fixed screenY,
                                 const PrinterMetrics& metrics);

// The folder of a style file's path ("." for a bare name).
std::string FolderOf(const std::string& path);

// Dots per millimetre from dots per inch, to four places (halves to even).
layout::Fixed ScaleFor(layout::Fixed dotsPerInch);

// Trunc(screen resolution x zoom / 100): the preview's dots per inch.
int PreviewResolution(layout::Fixed screenResolution, int zoomPercent);

// Draws the style lines onto the surface: scales from the resolution,
// offsets from the boxes (truncated to whole millimetres) on the printer or
// when the preview shows them, then every element up to the first empty
// line. Conversion errors throw platform::UserError. A picture that cannot
// be read is left out and the rest drawn; returned are those failures, each
// naming its element's line.
std::vector<std::string> DrawPage(layout::Surface& surface,
                                  const std::vector<std::string>& styleLines,
                                  const PageSettings& settings, layout::PictureDecoder* pictures);

}  // namespace printing
