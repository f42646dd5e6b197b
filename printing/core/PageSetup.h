#pragma once

#include <optional>
#include <string>

#include "layout/core/Fixed.h"
#include "layout/core/StyleVersion.h"

namespace printing {

// What a printer reports, in its own dots.
struct PrinterDots {
  int resolutionX = 0;
  int resolutionY = 0;
  int physicalOffsetX = 0;
  int physicalOffsetY = 0;
  int physicalWidth = 0;
  int physicalHeight = 0;
  int pageWidth = 0;  // the printable area
  int pageHeight = 0;
};

// The measurements the preview and the printout are computed from.
struct PrinterMetrics {
  layout::Fixed resolutionX;
  layout::Fixed resolutionY;
  int offsetXmm = 0;
  int offsetYmm = 0;
  int sheetWidthMm = 0;
  int sheetHeightMm = 0;
  int printableWidthMm = 0;
  int printableHeightMm = 0;
  // True when the printer reported no resolution and these are the
  // built-in PDF printer's measurements instead.
  bool fallback = false;
};

// The built-in PDF printer: 600 dots per inch, A4, 100-dot margins.
PrinterDots PdfPrinterDots();

// Round(dots / (resolution / 25.4)), halves to even.
int DotsToMillimetres(int dots, int resolution);

// The measurements of a printer; a resolution of 0 gives the PDF printer's.
PrinterMetrics MetricsFromDots(const PrinterDots& dots);

// The measurements `printer` would have on the paper of list entry `entry`
// in `orientation` (1: landscape, the long side across), keeping its
// resolution and margins: how a style on another paper is shown before the
// printer is set to it. The printer's own for an entry without a size; a
// custom entry has the size `custom` gives.
PrinterMetrics MetricsOnPaper(const PrinterMetrics& printer, int entry, int orientation,
                              const std::optional<layout::CustomPaperSize>& custom = std::nullopt);

// The preview of the sheet at a zoom: sizes in screen pixels.
struct PreviewLayout {
  int previewDpiX = 0;  // Trunc(screen resolution x zoom)
  int previewDpiY = 0;
  int sheetWidth = 0;
  int sheetHeight = 0;
  int areaLeft = 0;  // the printable area inside the sheet
  int areaTop = 0;
  int areaWidth = 0;
  int areaHeight = 0;
  int frameWidth = 0;  // the white frame drawn in the area
  int frameHeight = 0;
};

PreviewLayout LayoutPreview(const PrinterMetrics& metrics, layout::Fixed screenX,
                            layout::Fixed screenY, int zoomPercent);

// An offset box after an arrow step: value + step, cut to tenths toward
// zero unless it is 0.
layout::Fixed OffsetAfterStep(layout::Fixed value, layout::Fixed step);

// The step of an arrow: 0.1 with Shift, else 10 with Ctrl, else 1 (mm).
layout::Fixed OffsetStep(bool shift, bool ctrl);

// The paper entry and orientation value read back from a printer: codes 1
// to 41 are entries, every other code entry 0.
struct PaperEntry {
  int entry = 0;
  int orientation = 0;
};
PaperEntry EntryOfPrinterPaper(int code, bool landscape);

}  // namespace printing
