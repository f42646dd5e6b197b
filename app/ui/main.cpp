// ワード・クイルマーク: the desktop program.

#include <QApplication>
#include <QDir>
#include <QFile>

#include "app/core/ProgramPaths.h"
#include "app/ui/ApplicationSetup.h"
#include "app/ui/Tfquillmark_wd.h"
#include "catalogue/ui/Tffolder_select.h"
#include "commands/ui/TFTitle_Set.h"
#include "commands/ui/Tfdataedit.h"
#include "platform/files/TemporaryFiles.h"
#include "platform/qt/Desktop.h"
#include "printing/ui/PrintWindowFactory.h"
#include "widgets/QtDialogs.h"

int main(int argc, char** argv) {
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

  // The windows in the order the program has always made them; each lives
  // until the main window closes.
  app::Tfquillmark_wd mainWindow(paths, dialogs, desktop);
  mainWindow.SetFolderDialog(
      new catalogue::Tffolder_select(paths, dialogs, mainWindow.FolderLabel(), &mainWindow));
  mainWindow.SetEditDialog(new commands::Tfdataedit(mainWindow.GridData(), &mainWindow));
  mainWindow.SetTitleDialog(new commands::TFTitle_Set(
      mainWindow.TitlePanel(), paths.File(commands::kTitleHistoryFileName), dialogs, &mainWindow));

  mainWindow.SetPrintWindowFactory([&](app::Tfquillmark_wd& window) -> std::unique_ptr<QDialog> {
    return printing::CreatePrintWindow(paths, dialogs, desktop, window.TitlePanel(),
                                       window.FolderLabel(), &window);
  });

  mainWindow.show();
  return application.exec();
}
