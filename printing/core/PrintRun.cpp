#include "printing/core/PrintRun.h"

#include <string_view>

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

std::string JobTitle(const std::string& styleName, int page, long long pageCount) {
  std::string title = pageCount > 0 ? std::to_string(page) + '/' + std::to_string(pageCount)
                                    : 'p' + std::to_string(page);
  title += ' ';
  title += DocumentTitle(styleName);
  return title;
}

std::string DocumentTitle(const std::string& styleName) {
  std::string title = styleName;
  title += " - ";
  title += kJobTitleProgram;
  return title;
}

std::string StyleName(const std::string& stylePath) {
  std::size_t slash = stylePath.rfind('/');
  std::string name = slash == std::string::npos ? stylePath : stylePath.substr(slash + 1);
  // ".sle" in any case, as file dialogs match it.
  constexpr std::size_t kExtension = 4;
  if (name.size() > kExtension) {
    std::string tail = name.substr(name.size() - kExtension);
    for (char& c : tail) {
      c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (tail == ".sle") {
      name.resize(name.size() - kExtension);
    }
  }
  return name;
}

long long PageCount(long long rows, long long capacity) {
  if (capacity <= 0 || rows <= 0) {
    return 1;
  }
  return (rows + capacity - 1) / capacity;
}

int PrintAllPages(Printer& printer, ListFileCache& list, const PrintInputs& inputs, Clock& clock,
                  int& pageNumber, const std::function<void(const LoadedPage&)>& afterPage) {
  int printed = 0;
  pageNumber = 0;
  std::string styleName = StyleName(inputs.stylePath);
  printer.BeginRun(DocumentTitle(styleName));
  try {
    long long pageCount = 0;  // known once the first page gives the capacity
    do {
      ++pageNumber;
      int thisPage = pageNumber;
      LoadedPage page =
          LoadStylePage(inputs.stylePath, pageNumber, list, inputs.title, inputs.folder, clock);
      if (pageCount == 0) {
        pageCount = PageCount(static_cast<long long>(list.Lines().size()), page.capacity);
      }
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
      layout::Surface& surface = printer.BeginPage(JobTitle(styleName, thisPage, pageCount));
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
