#include "printing/core/PageDrawing.h"

#include <algorithm>

#include "layout/core/DrawElements.h"

namespace printing {

namespace {

constexpr std::int64_t kOffsetLimitMm = 100000;

int WholeMillimetres(layout::Fixed value) {
  return static_cast<int>(std::clamp(value.Trunc(), -kOffsetLimitMm, kOffsetLimitMm));
}

}  // namespace

layout::Fixed ScaleFor(layout::Fixed dotsPerInch) {
  return layout::Fixed::Divide(dotsPerInch, layout::Fixed::FromRaw(254000));
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

PageSettings PreviewPageSettings(const PreviewLayout& layout, int zoomPercent,
                                 layout::Fixed screenX, layout::Fixed screenY,
                                 const PrinterMetrics& metrics) {
  PageSettings settings;
  settings.resolutionX = layout::Fixed::FromInt(layout.previewDpiX);
  settings.resolutionY = layout::Fixed::FromInt(layout.previewDpiY);
  settings.offsetsInPreview = false;
  settings.previewPpi = layout.previewDpiX;
  settings.zoomPercent = zoomPercent;
  settings.screenResX = screenX;
  settings.screenResY = screenY;
  settings.printerResX = metrics.resolutionX;
  settings.printerResY = metrics.resolutionY;
  return settings;
}

int PreviewResolution(layout::Fixed screenResolution, int zoomPercent) {
  return static_cast<int>(
      layout::TruncProduct(screenResolution, layout::Fixed::FromRaw(zoomPercent * 100LL)));
}

std::vector<std::string> DrawPage(layout::Surface& surface,
                                  const std::vector<std::string>& styleLines,
                                  const PageSettings& settings, layout::PictureDecoder* pictures) {
  layout::DrawingContext context;
  context.surface = &surface;
  context.onPrinter = settings.onPrinter;
  context.scaleX = ScaleFor(settings.resolutionX);
  context.scaleY = ScaleFor(settings.resolutionY);
  // The boxes are clamped where a "header" element takes them, too.
  context.offsetBoxX = layout::Fixed::FromInt(WholeMillimetres(settings.offsetBoxX)) +
                       layout::Fixed::FromRaw(settings.offsetBoxX.Raw() % layout::Fixed::kOne);
  context.offsetBoxY = layout::Fixed::FromInt(WholeMillimetres(settings.offsetBoxY)) +
                       layout::Fixed::FromRaw(settings.offsetBoxY.Raw() % layout::Fixed::kOne);
  if (settings.onPrinter || settings.offsetsInPreview) {
    context.offsetX = WholeMillimetres(settings.offsetBoxX);
    context.offsetY = WholeMillimetres(settings.offsetBoxY);
  }
  context.printedOnly = false;
  context.previewPpi = settings.previewPpi;
  context.zoomPercent = settings.zoomPercent;
  context.screenResX = settings.screenResX;
  context.screenResY = settings.screenResY;
  context.printerResX = settings.printerResX;
  context.printerResY = settings.printerResY;
  context.pictures = pictures;
  context.styleFolder = settings.styleFolder;
  layout::DrawElements(context, styleLines);
  return std::move(context.pictureFailures);
}

}  // namespace printing
