// ワード・クイルマーク: the desktop program.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/core/ProgramPaths.h"
#include "app/ui/ApplicationSetup.h"
#include "app/ui/MainWindow.h"
#include "catalogue/core/BackgroundScan.h"
#include "catalogue/ui/FolderDialog.h"
#include "commands/ui/RowEditDialog.h"
#include "commands/ui/TitleDialog.h"
#include "designer/ui/StyleDesigner.h"
#include "platform/files/TemporaryFiles.h"
#include "platform/qt/Desktop.h"
#include "printing/ui/PrintWindowFactory.h"
#include "widgets/QtDialogs.h"

namespace {

// The program's windows until the main window closes; each saves what it
// keeps as it goes.
int RunWindows(QApplication& application, const app::ProgramPaths& paths,
               widgets::QtDialogs& dialogs, platform::QtDesktop& desktop) {
  // The windows in the order the program has always made them; each lives
  // until the main window closes.
  app::MainWindow mainWindow(paths, dialogs, desktop);
  mainWindow.SetFolderDialog(
      new catalogue::FolderDialog(paths, dialogs, mainWindow.FolderAndTitle(), &mainWindow));
  mainWindow.SetEditDialog(new commands::RowEditDialog(mainWindow.Documents(), &mainWindow));
  mainWindow.SetTitleDialog(new commands::TitleDialog(mainWindow.FolderAndTitle(),
                                                      paths.File(commands::kTitleHistoryFileName),
                                                      dialogs, &mainWindow));

  // The print window opens the style designer on the style it shows.
  printing::DesignerFactory designers =
      designer::DesignerWindows(dialogs, desktop, paths.SettingsFile(),
                                QFile::decodeName(QByteArray::fromStdString(paths.File("style"))));
  mainWindow.SetPrintWindowFactory([&](app::MainWindow& window) -> std::unique_ptr<QDialog> {
    return printing::CreatePrintWindow(paths, dialogs, desktop, window.FolderAndTitle(), &window,
                                       false, designers);
  });

  mainWindow.show();
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit (ulimit -f) makes a write fail, which is reported,
  // instead of ending the program with its work.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);
  app::SetupApplication(application);

  app::ProgramPaths paths = app::ResolveProgramPaths(
      QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
      qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
      QFile::encodeName(QDir::homePath()).toStdString());
  // Temporary files left by a run that was killed while writing.
  for (const std::string& folder : {paths.Folder(), paths.File("style"), paths.File("print")}) {
    platform::RemoveStaleTemporaries(folder);
  }
  widgets::QtDialogs dialogs(QFile::decodeName(QByteArray::fromStdString(paths.DialogIcon())));
  platform::QtDesktop desktop;
  int status = RunWindows(application, paths, dialogs, desktop);
  // A scan cancelled as the program closed may still be reading its last
  // file on a thread of its own: the windows have saved what they keep, so
  // the program leaves now rather than wait for it or take away what it
  // still uses.
  if (catalogue::BackgroundScan::AnyRunning()) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  return status;
}
