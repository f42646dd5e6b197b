#pragma once

// The print window's services as the tests give them: a temporary program
// folder, scripted dialogs, a recorded desktop, a printer and a fixed day,
// with the report title "Title" and the folder "/docs".

#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include "printing/ui/PrintWindow.h"

namespace testsupport {

// What a label or box of a window shows, found by its object name
// ("ofxbox", "BoxLabel1", "MessageStatus", ...).
inline QString ShownText(const QWidget& window, const char* name) {
  QString objectName = QString::fromLatin1(name);
  if (auto* label = window.findChild<QLabel*>(objectName)) {
    return label->text();
  }
  if (auto* box = window.findChild<QLineEdit*>(objectName)) {
    return box->text();
  }
  ADD_FAILURE() << "no label or box " << name;
  return {};
}

inline printing::PrintWindowServices PrintWindowServicesFor(const platform::ProgramPaths& paths,
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
  // The first PDF is offered in the program folder's "print", never in the
  // documents folder of whoever runs the tests.
  s.documentsFolder = QString::fromStdString(paths.File("print"));
  QDir().mkpath(s.documentsFolder);
  return s;
}

}  // namespace testsupport
