#pragma once

#include <QEventLoop>
#include <QTimer>

#include "catalogue/ui/FolderDialog.h"

namespace testsupport {

// Runs the folder dialog's scan as its button does, then waits, as the user
// does, until the scan has ended (read whole, cancelled or failed) or
// `patience` has passed.
inline void ScanAndWait(catalogue::FolderDialog& dialog, int patienceMs = 120000) {
  QEventLoop waiting;
  QObject::connect(&dialog, &catalogue::FolderDialog::scanEnded, &waiting, &QEventLoop::quit);
  QTimer::singleShot(patienceMs, &waiting, &QEventLoop::quit);
  dialog.Scan();
  if (dialog.Scanning()) {
    waiting.exec();
  }
}

}  // namespace testsupport
