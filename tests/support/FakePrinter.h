#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/errors/UserError.h"
#include "printing/core/Printer.h"
#include "tests/support/RecordingSurface.h"

namespace testsupport {

// A printer that records what it was asked: paper settings, and one
// recording per page; its measurements are set by the test.
class FakePrinter : public printing::Printer {
 public:
  printing::PrinterDots dots = printing::PdfPrinterDots();
  printing::PrinterPaper paper{9, false};
  std::vector<std::string> applied;             // "entry/orientation"
  std::vector<std::vector<std::string>> pages;  // the calls of each page
  int runs = 0;

  std::string Destination() const override { return "fake"; }
  void ApplyPaperSettings(int entry, int orientation) override {
    applied.push_back(std::to_string(entry) + "/" + std::to_string(orientation));
    if (entry >= 1 && entry <= 118) {
      paper.code = entry;
    }
    paper.landscape = orientation != 0;
  }
  void ApplyCustomPaper(const layout::CustomPaperSize& size, int orientation) override {
    applied.push_back("custom " + size.widthMm.ToString() + "x" + size.heightMm.ToString() + "/" +
                      std::to_string(orientation));
    paper.code = 0;
    paper.landscape = orientation != 0;
  }
  printing::PrinterPaper CurrentPaper() const override { return paper; }
  std::set<int> lacking;  // paper codes the printer does not have
  bool OffersPaper(int code) const override { return lacking.count(code) == 0; }
  printing::PrinterDots Measure() const override { return dots; }
  printing::DocumentDescription description;  // of the last run
  void DescribeDocument(const printing::DocumentDescription& told) override { description = told; }
  std::string documentTitle;  // of the last run
  void BeginRun(const std::string& title) override {
    ++runs;
    documentTitle = title;
  }
  std::vector<std::string> jobTitles;  // the title of each page's job
  layout::Surface& BeginPage(const std::string& jobTitle) override {
    jobTitles.push_back(jobTitle);
    surface = RecordingSurface();
    return surface;
  }
  // The page (from 1) whose end says it did not reach the printer; 0: none.
  int refusePage = 0;
  void EndPage() override {
    if (static_cast<int>(pages.size()) + 1 == refusePage) {
      throw platform::UserError("queue refused the job");
    }
    pages.push_back(surface.calls);
  }
  void EndRun(bool completed) override { completedRuns += completed ? 1 : 0; }
  int completedRuns = 0;

 private:
  RecordingSurface surface;
};

}  // namespace testsupport
