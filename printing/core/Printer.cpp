#include "printing/core/Printer.h"

namespace printing {

PaperEntry ReadPrinterPaper(const Printer& printer) {
  PrinterPaper paper = printer.CurrentPaper();
  return EntryOfPrinterPaper(paper.code, paper.landscape);
}

PrinterMetrics ReadPrinterMetrics(const Printer& printer) {
  return MetricsFromDots(printer.Measure());
}

}  // namespace printing
