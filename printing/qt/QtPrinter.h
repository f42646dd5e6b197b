#pragma once

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "layout/qt/QtSurface.h"
#include "platform/files/ReplacingFileWriter.h"
#include "printing/core/Printer.h"

namespace printing {

class PdfCharacterMap;

// The printer over QPrinter: a CUPS queue (each page a job of its own), or,
// when the system has none or a PDF file is asked for, a built-in PDF
// printer at 600 dots per inch with 100-dot margins whose pages of one print
// command go into one file.
class QtPrinter : public printing::Printer {
 public:
  // The named CUPS queue, else the default one; with `pdfPath` set, or when
  // there is no queue, the PDF printer writing to `pdfPath`.
  QtPrinter(const std::string& queueName, const std::string& pdfPath);
  ~QtPrinter() override;

  // Whether the printer writes a PDF file (the setup dialog may switch).
  bool IsPdf() const { return printer_->outputFormat() == QPrinter::PdfFormat; }
  // Runs Qt's print dialog on the printer (`run` shows it and answers
  // whether it was accepted). Accepted, it takes the printer and the job
  // settings chosen there, and the paper only when the user chose one in
  // its page settings; cancelled, it changes nothing.
  using DialogRun = std::function<bool(QPrintDialog& dialog)>;
  bool RunSetupDialog(QWidget* parent, const DialogRun& run = ExecDialog);
  static bool ExecDialog(QPrintDialog& dialog);
  void SetPdfPath(const std::string& path,
                  platform::ReadOnlyTarget readOnly = platform::ReadOnlyTarget::Keep);
  QPrinter& Device() { return *printer_; }

  std::string Destination() const override;
  void ApplyPaperSettings(int entry, int orientation) override;
  void ApplyCustomPaper(const layout::CustomPaperSize& size, int orientation) override;
  printing::PrinterPaper CurrentPaper() const override;
  printing::PrinterDots Measure() const override;
  void DescribeDocument(const printing::DocumentDescription& description) override {
    description_ = description;
  }
  void BeginRun(const std::string& documentTitle) override;
  layout::Surface& BeginPage(const std::string& jobTitle) override;
  void EndPage() override;
  void EndRun(bool completed) override;
  std::string RunWarning() const override { return warning_; }
  bool OffersPaper(int code) const override;

  // Whether the system has a CUPS printer.
  static bool HasSystemPrinter();
  // The system's print queues, the default one first.
  static std::vector<std::string> QueueNames();
  // The queue `name` names (queue names are compared regardless of case)
  // as the system spells it; throws the program's message, naming the
  // queues there are, when there is none.
  static std::string CheckQueue(const std::string& name);

 private:
  void MakeDefaultPrinter();
  // Puts back a paper read before a dialog (by code where it has one).
  void RestorePaper(const printing::PrinterPaper& paper, const QPageLayout& layout);

  std::string queue_;
  std::string pdfPath_;
  bool pdf_ = false;
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
  std::unique_ptr<layout::QtSurface> surface_;
  int appliedCode_ = 0;                        // the paper code last applied, 0 for none
  printing::DocumentDescription description_;  // of the next PDF
  std::unique_ptr<platform::ReplacingFileWriter> pdfWriter_;  // the PDF being printed
  std::unique_ptr<PdfCharacterMap> pdfCharacters_;            // and what its text draws
  std::string pdfTarget_;                                     // and the file it replaces
  // Whether the user agreed to replace that file if it is read-only.
  platform::ReadOnlyTarget pdfReadOnly_ = platform::ReadOnlyTarget::Keep;
  bool pageOpen_ = false;
  int pagesInRun_ = 0;
  std::string warning_;  // of the last run
};

// Whether a file ends as a complete PDF does ("%%EOF" in its last bytes).
bool EndsLikeAPdf(const std::string& path);

// How a printer paper code reaches Qt: Qt's named size of the code's
// dimensions wherever Qt has one (so that Qt's dialogs keep it), `turned`
// when the code's sheet is that size turned on its side (the rotated codes),
// else a custom size of the published dimensions. Nothing for the reserved
// codes.
struct CodePaper {
  QPageSize size;
  bool turned = false;
};
std::optional<CodePaper> QtPaperOfCode(int code);

}  // namespace printing
