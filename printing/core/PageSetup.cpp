#include "printing/core/PageSetup.h"

#include <algorithm>
#include <cmath>

#include "layout/core/StyleVersion.h"
#include "printing/core/PaperSizes.h"

namespace printing {

namespace {

using layout::Fixed;

constexpr int kPdfDpi = 600;
constexpr int kPdfMargin = 100;
constexpr int kLastReadBackCode = 41;

// Round to the nearest whole number, halves to even.
int RoundHalfEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace

PrinterDots PdfPrinterDots() {
  PrinterDots dots;
  dots.resolutionX = dots.resolutionY = kPdfDpi;
  dots.physicalOffsetX = dots.physicalOffsetY = kPdfMargin;
  dots.physicalWidth = 4961;   // 210 mm
  dots.physicalHeight = 7016;  // 297 mm
  dots.pageWidth = dots.physicalWidth - 2 * kPdfMargin;
  dots.pageHeight = dots.physicalHeight - 2 * kPdfMargin;
  return dots;
}

int DotsToMillimetres(int dots, int resolution) {
  if (resolution <= 0) {
    return 0;
  }
  return static_cast<int>(
      layout::DivideHalfEven(static_cast<__int128>(dots) * 254, resolution * 10LL));
}

PrinterMetrics MetricsOnPaper(const PrinterMetrics& printer, int entry, int orientation,
                              const std::optional<layout::CustomPaperSize>& custom) {
  int a = 0;
  int b = 0;
  if (entry == layout::kCustomPaperEntry && custom) {
    // Whole millimetres, as every sheet is measured.
    a = static_cast<int>(layout::DivideHalfEven(custom->widthMm.Raw(), Fixed::kOne));
    b = static_cast<int>(layout::DivideHalfEven(custom->heightMm.Raw(), Fixed::kOne));
  } else {
    const PaperSize* paper = PaperOfCode(entry);
    if (paper == nullptr || paper->unit == PaperUnit::None || paper->width <= 0 ||
        paper->height <= 0) {
      return printer;
    }
    double scale = paper->unit == PaperUnit::Inch ? 25.4 : 1.0;
    a = static_cast<int>(std::lround(paper->width * scale));
    b = static_cast<int>(std::lround(paper->height * scale));
  }
  int shortSide = std::min(a, b);
  int longSide = std::max(a, b);
  PrinterMetrics on = printer;
  on.sheetWidthMm = orientation != 0 ? longSide : shortSide;
  on.sheetHeightMm = orientation != 0 ? shortSide : longSide;
  int marginsX = std::max(0, printer.sheetWidthMm - printer.printableWidthMm);
  int marginsY = std::max(0, printer.sheetHeightMm - printer.printableHeightMm);
  on.printableWidthMm = std::max(1, on.sheetWidthMm - marginsX);
  on.printableHeightMm = std::max(1, on.sheetHeightMm - marginsY);
  return on;
}

PrinterMetrics MetricsFromDots(const PrinterDots& reported) {
  PrinterMetrics metrics;
  PrinterDots dots = reported;
  if (dots.resolutionX <= 0 || dots.resolutionY <= 0) {
    dots = PdfPrinterDots();
    metrics.fallback = true;
  }
  metrics.resolutionX = Fixed::FromInt(dots.resolutionX);
  metrics.resolutionY = Fixed::FromInt(dots.resolutionY);
  metrics.offsetXmm = DotsToMillimetres(dots.physicalOffsetX, dots.resolutionX);
  metrics.offsetYmm = DotsToMillimetres(dots.physicalOffsetY, dots.resolutionY);
  metrics.sheetWidthMm = DotsToMillimetres(dots.physicalWidth, dots.resolutionX);
  metrics.sheetHeightMm = DotsToMillimetres(dots.physicalHeight, dots.resolutionY);
  metrics.printableWidthMm = DotsToMillimetres(dots.pageWidth, dots.resolutionX);
  metrics.printableHeightMm = DotsToMillimetres(dots.pageHeight, dots.resolutionY);
  return metrics;
}

PreviewLayout LayoutPreview(const PrinterMetrics& m, Fixed screenX, Fixed screenY,
                            int zoomPercent) {
  PreviewLayout layout;
  Fixed z = Fixed::FromRaw(zoomPercent * 100LL);
  layout.previewDpiX = layout::TruncProduct(screenX, z);
  layout.previewDpiY = layout::TruncProduct(screenY, z);
  double sx = static_cast<double>(screenX.Raw()) / Fixed::kOne / 25.4 * zoomPercent / 100.0;
  double sy = static_cast<double>(screenY.Raw()) / Fixed::kOne / 25.4 * zoomPercent / 100.0;
  layout.sheetWidth = RoundHalfEven(m.sheetWidthMm * sx);
  layout.sheetHeight = RoundHalfEven(m.sheetHeightMm * sy);
  layout.areaLeft = RoundHalfEven(m.offsetXmm * sx);
  layout.areaTop = RoundHalfEven(m.offsetYmm * sy);
  layout.areaWidth = static_cast<int>(std::trunc(m.printableWidthMm * sx));
  layout.areaHeight = static_cast<int>(std::trunc(m.printableHeightMm * sy));
  layout.frameWidth = RoundHalfEven(m.printableWidthMm * sx);
  layout.frameHeight = RoundHalfEven(m.printableHeightMm * sy);
  return layout;
}

Fixed OffsetAfterStep(Fixed value, Fixed step) {
  Fixed sum = value + step;
  if (sum == Fixed()) {
    return sum;
  }
  return Fixed::FromRaw(sum.Raw() / 1000 * 1000);
}

Fixed OffsetStep(bool shift, bool ctrl) {
  if (shift) {
    return Fixed::FromRaw(1000);
  }
  return Fixed::FromInt(ctrl ? 10 : 1);
}

PaperEntry EntryOfPrinterPaper(int code, bool landscape) {
  return {code >= 1 && code <= kLastReadBackCode ? code : 0, landscape ? 1 : 0};
}

}  // namespace printing
