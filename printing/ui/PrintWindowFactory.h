#pragma once

#include <QLabel>
#include <memory>

#include "app/core/ProgramPaths.h"
#include "printing/ui/PrintWindow.h"

namespace printing {

// A print window on the system's printer (a CUPS queue, or the PDF printer
// writing into the "print" folder of the program folder), with the real
// picture decoder, clock and dialogs. The report title and folder are read
// from the given labels. `pdfOnly` uses the PDF printer even when the system
// has a queue (for tests).
std::unique_ptr<PrintWindow> CreatePrintWindow(const app::ProgramPaths& paths,
                                               widgets::Dialogs& dialogs,
                                               platform::Desktop& desktop, QLabel* title,
                                               QLabel* folder, QWidget* parent,
                                               bool pdfOnly = false);

}  // namespace printing
