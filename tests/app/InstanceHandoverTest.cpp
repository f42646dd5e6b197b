// One window per user and program folder: a second start hands its folder
// to the running window and ends.

#include "app/ui/InstanceHandover.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocalServer>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <cstring>

#include "platform/files/ProgramPaths.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/TempDir.h"

namespace app {
namespace {

struct Handover : ::testing::Test {
  testsupport::TempDir runtime;
  testsupport::TempDir workingFolder;
  QString socketPath = InstanceHandover::SocketPath(
      platform::ResolveProgramPaths(QUILL_WD, "", "", QDir::homePath().toStdString()).Folder(),
      QString::fromStdString(runtime.path()));
  QStringList received;

  // Starts the program as a user would, a window of it already running in
  // this process; its exit code (-1 when it did not end in time).
  int SecondStart(const QStringList& arguments, qint64* elapsedMs = nullptr) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.path()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(workingFolder.path()));
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(QUILL_WD), arguments);
    loop.exec();  // the window here answers meanwhile
    if (elapsedMs != nullptr) {
      *elapsedMs = clock.elapsed();
    }
    if (process.state() != QProcess::NotRunning) {
      process.kill();
      process.waitForFinished();
      return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  void Listen(InstanceHandover& handover) {
    ASSERT_EQ(handover.HandOverOrListen(socketPath, {}), InstanceHandover::Outcome::Listening);
    QObject::connect(&handover, &InstanceHandover::handedOver,
                     [this](const QString& folder) { received << folder; });
  }
};

TEST_F(Handover, ASecondStartHandsItsFolderToTheRunningWindowAndEnds) {
  InstanceHandover running;
  Listen(running);
  QDir(QString::fromStdString(workingFolder.path())).mkdir(QStringLiteral("報告\n김민수"));
  qint64 elapsed = 0;
  // A folder relative to where the second start was made, with a line break.
  EXPECT_EQ(SecondStart({QStringLiteral("報告\n김민수")}, &elapsed), 0);
  EXPECT_EQ(SecondStart({}), 0);
  EXPECT_EQ(received,
            (QStringList{QString::fromStdString(workingFolder.File("報告\n김민수")), QString()}));
  std::printf("second start handed over in %lld ms\n", static_cast<long long>(elapsed));
}

TEST_F(Handover, ASocketLeftByAKilledStartIsTakenOver) {
  // A socket file nobody listens on, as a killed start leaves it.
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  QByteArray path = QFile::encodeName(socketPath);
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
  ASSERT_TRUE(QFile::exists(socketPath));

  InstanceHandover running;
  Listen(running);
  EXPECT_EQ(SecondStart({QStringLiteral("/")}), 0);
  EXPECT_EQ(received, QStringList{QStringLiteral("/")});
}

TEST_F(Handover, AWindowThatDoesNotAnswerIsToldApart) {
  QLocalServer silent;
  ASSERT_TRUE(silent.listen(socketPath));
  EXPECT_EQ(InstanceHandover::HandOver(socketPath, QStringLiteral("/x"), 200),
            InstanceHandover::Outcome::NoAnswer);
  silent.close();
  EXPECT_EQ(InstanceHandover::HandOver(socketPath, QStringLiteral("/x"), 200),
            InstanceHandover::Outcome::NotListening);
}

// The running window, handed a folder, opens the folder dialog there; while
// another window of the program waits for the user, it only comes forward.
TEST_F(ProgramFixture, AFolderHandedOverOpensTheFolderDialogThere) {
  testsupport::TempDir documents;
  Start();
  QString listed;
  QTimer::singleShot(0, [&] {
    window->TakeAnotherStart(QString::fromStdString(documents.path()));
    QTimer::singleShot(0, [&] {
      listed = folderDialog->ListDirectory();
      folderDialog->done(QDialog::Rejected);
    });
  });
  QEventLoop settle;
  QTimer::singleShot(100, &settle, &QEventLoop::quit);
  settle.exec();
  EXPECT_EQ(listed, QString::fromStdString(documents.path()));

  int opened = 0;
  window->SetPrintWindowFactory([&](MainWindow&) {
    ++opened;
    auto dialog = std::make_unique<QDialog>();
    QTimer::singleShot(0, dialog.get(), [&, d = dialog.get()] {
      window->TakeAnotherStart(QStringLiteral("/"));
      d->accept();
    });
    return dialog;
  });
  OpenList({"a.doc;A;;;;;;;;;;"});
  window->FolderAndTitle().SetFolder(documents.path());
  window->PrintReport();
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(window->statusBar()->currentMessage().endsWith(QStringLiteral(": /")));
  EXPECT_FALSE(folderDialog->isVisible());
}

}  // namespace
}  // namespace app
