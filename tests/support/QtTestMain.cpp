// main() of the window tests: a QApplication on the offscreen platform, set
// up as the program sets itself up, then every test.

#include <gtest/gtest.h>
#include <QApplication>

#include "app/ui/ApplicationSetup.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  app::SetupApplication(application);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
