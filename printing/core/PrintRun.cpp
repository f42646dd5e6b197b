#include "printing/core/PrintRun.h"

#include "layout/core/StyleFile.h"

namespace printing {

LoadedPage LoadStylePage(const std::string& stylePath, int& pageNumber, ListFileCache& list,
                         const std::string& title, const std::string& folder, Clock& clock) {
  LoadedPage page;
  page.lines = layout::ReadStyleFile(stylePath);
  layout::ConvertOlderStyle(page.lines);
  BindingData data;
  data.title = title;
  data.folder = folder;
  data.sharedLines = &list.Lines();  // read once, never copied per page
  page.capacity = BindPageData(page.lines, pageNumber, data, clock);
  page.header = layout::ReadHeaderValues(page.lines);
  return page;
}

int PrintAllPages(Printer& printer, ListFileCache& list, const PrintInputs& inputs, Clock& clock,
                  int& pageNumber, const std::function<void(const LoadedPage&)>& afterPage) {
  int printed = 0;
  pageNumber = 0;
  printer.BeginRun();
  try {
    do {
      ++pageNumber;
      LoadedPage page =
          LoadStylePage(inputs.stylePath, pageNumber, list, inputs.title, inputs.folder, clock);
      page.header.offsetX = inputs.offsetX.value_or(page.header.offsetX);
      page.header.offsetY = inputs.offsetY.value_or(page.header.offsetY);
      printer.ApplyPaperSettings(page.header.paperEntry, page.header.orientation);
      PrinterMetrics metrics = ReadPrinterMetrics(printer);

      PageSettings settings;
      settings.onPrinter = true;
      settings.resolutionX = metrics.resolutionX;
      settings.resolutionY = metrics.resolutionY;
      settings.offsetBoxX = page.header.offsetX;
      settings.offsetBoxY = page.header.offsetY;
      settings.previewPpi = PreviewResolution(inputs.screenResolution, inputs.zoomPercent);
      settings.zoomPercent = inputs.zoomPercent;
      settings.screenResX = settings.screenResY = inputs.screenResolution;
      settings.printerResX = metrics.resolutionX;
      settings.printerResY = metrics.resolutionY;
      settings.styleFolder = FolderOf(inputs.stylePath);
      layout::Surface& surface = printer.BeginPage();
      DrawPage(surface, page.lines, settings, inputs.pictures);
      printer.EndPage();
      ++printed;
      if (afterPage) {
        afterPage(page);
      }
      if (page.capacity <= 0) {
        break;  // no page capacity: the binding never finds a last page
      }
    } while (pageNumber != 0);
  } catch (...) {
    printer.EndRun(false);
    throw;
  }
  printer.EndRun(true);
  return printed;
}

}  // namespace printing
