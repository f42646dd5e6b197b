#include "printing/core/Printer.h"

namespace printing {

void ApplyStylePaper(Printer& printer, int entry, int orientation,
                     const std::optional<layout::CustomPaperSize>& custom) {
  if (entry == layout::kCustomPaperEntry && custom) {
    printer.ApplyCustomPaper(*custom, orientation);
  } else {
    printer.ApplyPaperSettings(entry, orientation);
  }
}

PaperEntry ReadPrinterPaper(const Printer& printer) {
  PrinterPaper paper = printer.CurrentPaper();
  return EntryOfPrinterPaper(paper.code, paper.landscape);
}

PrinterMetrics ReadPrinterMetrics(const Printer& printer) {
  return MetricsFromDots(printer.Measure());
}

}  // namespace printing
