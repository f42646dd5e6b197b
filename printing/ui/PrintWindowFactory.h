#pragma once

#include <memory>

#include "platform/files/ProgramPaths.h"
#include "printing/ui/PrintWindow.h"

namespace printing {

// A print window on the system's printer (a CUPS queue, or the PDF printer
// writing into the "print" folder of the program folder), with the real
// picture decoder, clock and dialogs, binding the given folder, title and
// documents (the main window's list as it stands),
// opening its designer with `designers`. `pdfOnly` uses the PDF printer
// even when the system has a queue (for tests).
std::unique_ptr<PrintWindow> CreatePrintWindow(
    const platform::ProgramPaths& paths, widgets::Dialogs& dialogs, platform::Desktop& desktop,
    const catalogue::FolderAndTitle& folderAndTitle, const catalogue::DocumentList& documents,
    QWidget* parent, bool pdfOnly = false, DesignerFactory designers = {});

}  // namespace printing
