#include "printing/core/PrintRun.h"

#include <algorithm>
#include <string_view>

#include "platform/errors/UserError.h"
#include "platform/version/ProgramVersion.h"

namespace printing {

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
  // A control character in a file name would reach the queue's job name
  // and the name of the file a PDF printer writes.
  for (char& c : name) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      c = ' ';
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

int PrintAllPages(Printer& printer, PrintState& state, const PrintInputs& inputs) {
  int printed = 0;
  int pageNumber = 0;
  std::string styleName = StyleName(state.Path());
  // A PDF is titled by the report's title (the style's name without one)
  // and says which folder it lists.
  BindingData binding = state.CurrentBinding();
  printer.DescribeDocument({binding.title.empty() ? styleName : binding.title, binding.folder,
                            std::string(kJobTitleProgram) + " " + platform::kProgramVersion});
  printer.BeginRun(DocumentTitle(styleName));
  try {
    long long pageCount = 0;  // known once the first page gives the capacity
    do {
      ++pageNumber;
      int thisPage = pageNumber;
      BoundPage page = state.Bind(pageNumber);
      pageNumber = page.pageAfter;
      if (pageCount == 0) {
        pageCount = PageCount(page.listRows, page.capacity);
      }
      page.header.offsetX = inputs.offsetX.value_or(page.header.offsetX);
      page.header.offsetY = inputs.offsetY.value_or(page.header.offsetY);
      ApplyStylePaper(printer, page.header.paperEntry, page.header.orientation,
                      page.header.customPaper);
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
      settings.styleFolder = FolderOf(state.Path());
      try {
        layout::Surface& surface = printer.BeginPage(JobTitle(styleName, thisPage, pageCount));
        for (std::string& failure : DrawPage(surface, page.lines, settings, inputs.pictures)) {
          if (inputs.pictureFailures != nullptr &&
              std::find(inputs.pictureFailures->begin(), inputs.pictureFailures->end(), failure) ==
                  inputs.pictureFailures->end()) {
            inputs.pictureFailures->push_back(std::move(failure));
          }
        }
        printer.EndPage();
      } catch (const platform::UserError& e) {
        if (printed == 0) {
          throw;
        }
        // Which pages reached the printer and where it stopped.
        throw platform::UserError(std::to_string(printed) + " ページ目まで印刷しましたが、" +
                                  std::to_string(thisPage) +
                                  " ページ目を印刷できませんでした: " + e.what());
      }
      ++printed;
      long long capacity = page.capacity;
      state.ShowPrintedPage(std::move(page));
      if (capacity <= 0) {
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
