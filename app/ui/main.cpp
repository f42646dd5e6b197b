// ワード・クイルマーク: the desktop program.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/ui/ApplicationSetup.h"
#include "app/ui/InstanceHandover.h"
#include "app/ui/MainWindow.h"
#include "catalogue/ole/LibraryLogs.h"
#include "catalogue/ui/FolderDialog.h"
#include "commands/ui/RowEditDialog.h"
#include "commands/ui/TitleDialog.h"
#include "designer/ui/StyleDesigner.h"
#include "platform/files/LocalTimeZone.h"
#include "platform/files/ProgramPaths.h"
#include "platform/files/TemporaryFiles.h"
#include "platform/qt/Desktop.h"
#include "platform/version/ProgramVersion.h"
#include "platform/work/RunningWork.h"
#include "printing/ui/PrintWindowFactory.h"
#include "widgets/QtDialogs.h"

namespace {

constexpr const char* kUsage =
    "usage: quillmark_wd [FOLDER]\n"
    "       quillmark_wd --help | --version\n"
    "\n"
    "Catalogues the word-processor documents of a folder and prints the list as\n"
    "a designed report. With FOLDER (or a file in it) the folder dialog opens on\n"
    "it. Qt's own options (-platform, -style ...) are taken too.\n"
    "\n"
    "  -h, --help     this text\n"
    "      --version  the program's name and version\n";

// Answers --help and --version before any window (or display) is needed;
// -1 when the program is to start.
int AnswerWithoutWindows(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--") {
      break;
    }
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (argument == "--version") {
      std::printf("quillmark_wd (ワード・クイルマーク) %s\n", platform::kProgramVersion);
      return 0;
    }
  }
  return -1;
}

// The folder the command line names (after Qt took its own options), or
// empty; an unknown option is a usage error.
std::optional<QString> FolderArgument(const QStringList& arguments) {
  QString folder;
  bool options = true;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (options && argument == QStringLiteral("--")) {
      options = false;
    } else if (options && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
      std::fprintf(stderr, "quillmark_wd: unknown option: %s\n%s",
                   argument.toLocal8Bit().constData(), kUsage);
      return std::nullopt;
    } else if (folder.isEmpty()) {
      folder = argument;  // the first; a launcher may pass several
    }
  }
  return folder;
}

// The program's windows until the main window closes; each saves what it
// keeps as it goes.
int RunWindows(QApplication& application, const platform::ProgramPaths& paths,
               widgets::QtDialogs& dialogs, platform::QtDesktop& desktop,
               app::InstanceHandover& handover, const QString& folder) {
  // The windows in the order the program has always made them; each lives
  // until the main window closes.
  app::MainWindow mainWindow(paths, dialogs, desktop);
  mainWindow.SetFolderDialog(
      new catalogue::FolderDialog(paths, dialogs, mainWindow.FolderAndTitle(), &mainWindow));
  mainWindow.SetEditDialog(new commands::RowEditDialog(mainWindow.Documents(), &mainWindow));
  mainWindow.SetTitleDialog(new commands::TitleDialog(
      mainWindow.FolderAndTitle(), paths.ConfigFile(commands::kTitleHistoryFileName), dialogs,
      &mainWindow));

  // The print window opens the style designer on the style it shows.
  printing::DesignerFactory designers =
      designer::DesignerWindows(dialogs, desktop, paths.SettingsFile(),
                                QFile::decodeName(QByteArray::fromStdString(paths.File("style"))));
  mainWindow.SetPrintWindowFactory([&](app::MainWindow& window) -> std::unique_ptr<QDialog> {
    return printing::CreatePrintWindow(paths, dialogs, desktop, window.FolderAndTitle(),
                                       window.Documents(), &window, false, designers);
  });

  QObject::connect(&handover, &app::InstanceHandover::handedOver, &mainWindow,
                   &app::MainWindow::TakeAnotherStart);
  // Once the window has closed, a start finds nobody and opens its own.
  QObject::connect(&application, &QApplication::lastWindowClosed, &handover,
                   &app::InstanceHandover::StopListening);
  mainWindow.show();
  if (!folder.isEmpty()) {
    QTimer::singleShot(0, &mainWindow,
                       [&mainWindow, folder] { mainWindow.OpenFolderDialogOn(folder); });
  }
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  platform::NameLocalTimeZoneFile();
  // A file-size limit (ulimit -f) makes a write fail, which is reported,
  // instead of ending the program with its work.
  std::signal(SIGXFSZ, SIG_IGN);
  // Damaged documents make libgsf and GLib complain; the program says what
  // it could not read in its own words.
  catalogue::QuietLibraryLogs();
  if (int answered = AnswerWithoutWindows(argc, argv); answered >= 0) {
    return answered;
  }
  QApplication application(argc, argv);
  std::optional<QString> folder = FolderArgument(QCoreApplication::arguments());
  if (!folder) {
    return 2;
  }
  app::SetupApplication(application);

  platform::ProgramPaths paths = platform::ResolveProgramPaths(
      QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
      qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
      qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
      QFile::encodeName(QDir::homePath()).toStdString());
  // A window already open on these working files takes the folder and is
  // raised; this start ends.
  app::InstanceHandover handover;
  QString absoluteFolder = folder->isEmpty() ? QString() : QFileInfo(*folder).absoluteFilePath();
  switch (handover.HandOverOrListen(
      app::InstanceHandover::SocketPath(paths.Folder(), qEnvironmentVariable("XDG_RUNTIME_DIR")),
      absoluteFolder)) {
    case app::InstanceHandover::Outcome::HandedOver: return 0;
    case app::InstanceHandover::Outcome::NoAnswer:
      std::fputs(
          "quillmark_wd: ワード・クイルマークは起動していますが、応答がありません。\n"
          "(the program runs already but does not answer)\n",
          stderr);
      return 1;
    case app::InstanceHandover::Outcome::Listening:
    case app::InstanceHandover::Outcome::NotListening: break;
  }
  // Temporary files left by a run that was killed while writing.
  for (const std::string& folder : {paths.Folder(), paths.File("style"), paths.File("print")}) {
    platform::RemoveStaleTemporaries(folder);
  }
  widgets::QtDialogs dialogs(QFile::decodeName(QByteArray::fromStdString(paths.DialogIcon())));
  platform::QtDesktop desktop;
  int status = RunWindows(application, paths, dialogs, desktop, handover, *folder);
  // A scan cancelled as the program closed may still be reading its last
  // file on a thread of its own, and a folder on a server that does not
  // answer may still be being listed: the windows have saved what they
  // keep, so the program leaves now rather than wait for them or take away
  // what they still use.
  if (platform::RunningWork::Any()) {
    std::fflush(nullptr);
    std::_Exit(status);
  }
  return status;
}
