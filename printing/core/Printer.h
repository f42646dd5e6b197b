#pragma once

#include <optional>
#include <string>

#include "layout/core/Surface.h"
#include "printing/core/PageSetup.h"

namespace printing {

// The paper of a printer's current settings.
struct PrinterPaper {
  int code = 0;  // printer paper size code; 0 when it matches none
  bool landscape = false;
};

// What a printed file says of itself (UTF-8): a PDF's title, subject and
// creator.
struct DocumentDescription {
  std::string title;
  std::string subject;
  std::string creator;
};

// The one current printer of the print window and of printing.
class Printer {
 public:
  virtual ~Printer() = default;

  // How the next run's file describes itself (a queue has no use for it).
  virtual void DescribeDocument(const DocumentDescription& description) { (void)description; }

  // Where the output goes, for the user ("PDF: /path/file.pdf", a queue name).
  virtual std::string Destination() const = 0;
  // Settings afresh from the printer's defaults, then paper code 1 to 118
  // (other entries keep the default paper) and the orientation (0 portrait).
  virtual void ApplyPaperSettings(int entry, int orientation) = 0;
  // Settings afresh, then a paper of the user's own size (portrait sizes;
  // `orientation` turns it). A printer that cannot keeps its default paper.
  virtual void ApplyCustomPaper(const layout::CustomPaperSize& size, int orientation) {
    (void)size;
    ApplyPaperSettings(0, orientation);
  }
  virtual PrinterPaper CurrentPaper() const = 0;
  // Whether the printer has paper of code `code` (a queue offers the sizes
  // its driver knows; a PDF printer any).
  virtual bool OffersPaper(int code) const {
    (void)code;
    return true;
  }
  virtual PrinterDots Measure() const = 0;

  // One print command: pages between BeginRun and EndRun. Each page is a
  // job of its own where the printer allows it. `documentTitle` (UTF-8)
  // names a file that holds the whole run.
  virtual void BeginRun(const std::string& documentTitle) = 0;
  // `jobTitle` (UTF-8) names the page's job in the queue.
  virtual layout::Surface& BeginPage(const std::string& jobTitle) = 0;
  // Ends the page; throws platform::UserError when it did not reach the
  // printer (a queue that refused the job or stopped answering).
  virtual void EndPage() = 0;
  // `completed` when every page printed; otherwise the run is dropped (a
  // file printer keeps what the file held before).
  virtual void EndRun(bool completed) = 0;
  // What the user should know of the last run though it printed (a queue
  // that is stopped keeps the jobs until it is started again); UTF-8, empty
  // when nothing.
  virtual std::string RunWarning() const { return {}; }
};

// The paper a style asks for put on the printer: a custom entry with its
// size as that size, every other entry by its code.
void ApplyStylePaper(Printer& printer, int entry, int orientation,
                     const std::optional<layout::CustomPaperSize>& custom);

// ReadPrinterPaper: the paper entry and orientation value of the printer.
PaperEntry ReadPrinterPaper(const Printer& printer);

// ReadPrinterMetrics: the printer's measurements (the PDF printer's when it
// reports no resolution).
PrinterMetrics ReadPrinterMetrics(const Printer& printer);

}  // namespace printing
