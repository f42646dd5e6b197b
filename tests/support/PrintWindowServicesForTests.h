#pragma once

// The print window's services as the tests give them: a temporary program
// folder, scripted dialogs, a recorded desktop, a printer and a fixed day,
// with the report title "Title" and the folder "/docs".

#include "printing/ui/PrintWindow.h"

namespace testsupport {

inline printing::PrintWindowServices PrintWindowServicesFor(const app::ProgramPaths& paths,
                                                            widgets::Dialogs& dialogs,
                                                            platform::Desktop& desktop,
                                                            printing::Printer& printer,
                                                            printing::Clock& clock) {
  printing::PrintWindowServices s;
  s.paths = &paths;
  s.dialogs = &dialogs;
  s.desktop = &desktop;
  s.printer = &printer;
  s.clock = &clock;
  static const catalogue::FolderAndTitle kFolderAndTitle("/docs", "Title");
  s.folderAndTitle = &kFolderAndTitle;
  return s;
}

}  // namespace testsupport
