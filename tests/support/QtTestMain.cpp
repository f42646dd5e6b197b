// main() of the window tests: a QApplication on the offscreen platform, set
// up as the program sets itself up, with no printer queue, then every test.

#include <gtest/gtest.h>
#include <QApplication>

#include "app/ui/ApplicationSetup.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  // No test prints to the machine's own queues: without a scheduler to ask,
  // Qt and the program see none, and tests that mean the built-in PDF
  // printer get it whatever queues the machine has. The tests that print to
  // a queue start a private scheduler of their own.
  qputenv("CUPS_SERVER", "/nonexistent/quillmark-tests/cups.sock");
  QApplication application(argc, argv);
  app::SetupApplication(application);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
