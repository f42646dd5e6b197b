#include "printing/ui/PrintWindowFactory.h"

#include "layout/qt/QtPictureDecoder.h"
#include "printing/qt/QtPrinter.h"

namespace printing {

namespace {

// What one print window prints and draws with.
struct OwnedServices {
  // A PDF name is set before each print run; giving one here picks the PDF
  // printer even where the system has a queue.
  explicit OwnedServices(bool pdfOnly) : printer("", pdfOnly ? "print.pdf" : "") {}
  printing::QtPrinter printer;
  layout::QtPictureDecoder pictures;
  SystemClock clock;
};

}  // namespace

std::unique_ptr<PrintWindow> CreatePrintWindow(
    const platform::ProgramPaths& paths, widgets::Dialogs& dialogs, platform::Desktop& desktop,
    const catalogue::FolderAndTitle& folderAndTitle, const catalogue::DocumentList& documents,
    QWidget* parent, bool pdfOnly, DesignerFactory designers) {
  auto owned = std::make_shared<OwnedServices>(pdfOnly);
  PrintWindowServices services;
  services.paths = &paths;
  services.dialogs = &dialogs;
  services.desktop = &desktop;
  services.printer = &owned->printer;
  services.pictures = &owned->pictures;
  services.clock = &owned->clock;
  printing::QtPrinter* printer = &owned->printer;
  services.setupDialog = [printer, parent] { return printer->RunSetupDialog(parent); };
  services.printsToPdf = [printer] { return printer->IsPdf(); };
  services.preparePdf = [printer](const std::string& path, platform::ReadOnlyTarget readOnly) {
    printer->SetPdfPath(path, readOnly);
  };
  services.folderAndTitle = &folderAndTitle;
  services.documents = &documents;
  services.designers = std::move(designers);
  auto window = std::make_unique<PrintWindow>(std::move(services), parent);
  window->KeepAlive(owned);
  return window;
}

}  // namespace printing
