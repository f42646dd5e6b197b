// bench_window FOLDER [--newer-formats]: the program's windows offscreen, as
// its entry makes them, in a temporary program folder (reading the newer
// formats too when asked). Times the folder dialog's scan of
// FOLDER until the grid shows it, with the longest pause of the interface
// during the scan, then the grid's commands on what was loaded: scrolling,
// selecting a row, Shift-selecting to the last row, moving a row up and
// far, deleting one row and 1,000 scattered selected rows, sorting,
// resizing a column, each with the repaint that follows, as a median of
// several runs in milliseconds.

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ui/ApplicationSetup.h"
#include "app/ui/MainWindow.h"
#include "catalogue/ui/FolderDialog.h"
#include "commands/ui/RowEditDialog.h"
#include "commands/ui/TitleDialog.h"
#include "platform/files/ProgramPaths.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/ScanAndWait.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"
#include "widgets/FrozenColumnTable.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs `step` several times, each followed by an immediate repaint of the
// grid, and gives the median milliseconds.
double TimeGridStep(widgets::FrozenColumnTable& grid, const std::function<void(int)>& step,
                    const std::function<void(int)>& prepare = {}) {
  std::vector<double> times;
  for (int i = 0; i < 15; ++i) {
    if (prepare) {
      prepare(i);
    }
    QElapsedTimer timer;
    timer.start();
    step(i);
    grid.viewport()->repaint();
    grid.FrozenView()->viewport()->repaint();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
  bool newerFormats = argc == 3 && std::string(argv[2]) == "--newer-formats";
  if (argc != 2 && !newerFormats) {
    std::fputs("usage: bench_window FOLDER [--newer-formats]\n", stderr);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  app::SetupApplication(application);
  QString folder = QString::fromLocal8Bit(argv[1]);

  testsupport::TempDir programFolder;
  platform::ProgramPaths paths(programFolder.path(), "quillmark_wd");
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop desktop;
  app::MainWindow window(paths, dialogs, desktop);
  auto* folderDialog =
      new catalogue::FolderDialog(paths, dialogs, window.FolderAndTitle(), &window);
  window.SetFolderDialog(folderDialog);
  window.SetEditDialog(new commands::RowEditDialog(window.Documents(), &window));
  window.SetTitleDialog(new commands::TitleDialog(window.FolderAndTitle(),
                                                  paths.ConfigFile(commands::kTitleHistoryFileName),
                                                  dialogs, &window));
  window.resize(1200, 800);
  window.show();

  // The longest time the interface waits for its event loop while scanning.
  QElapsedTimer sinceTick;
  qint64 longestPause = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout,
                   [&] { longestPause = std::max(longestPause, sinceTick.restart()); });

  QElapsedTimer scan;
  double listing = 0;
  qint64 listingPause = 0;
  QTimer::singleShot(0, [&] {
    QElapsedTimer list;
    list.start();
    if (newerFormats) {
      folderDialog->findChild<QCheckBox*>(QStringLiteral("NewerFormatsCheck"))->setChecked(true);
    }
    sinceTick.start();
    ticker.start(5);
    folderDialog->SelectFolder(folder);
    folderDialog->ShowSelectedFolder();
    // A folder slow to list is shown when it is done; the scan button
    // waits for it.
    auto* scanButton = folderDialog->findChild<QWidget*>(QStringLiteral("GradBtn1"));
    while (!scanButton->isEnabled()) {
      application.processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    application.processEvents();  // the list shown, as the user sees it
    listing = static_cast<double>(list.nsecsElapsed()) / 1e9;
    listingPause = std::max(longestPause, sinceTick.elapsed());
    longestPause = 0;
    sinceTick.restart();
    scan.start();
    testsupport::ScanAndWait(*folderDialog);
  });
  window.ChooseFolder();  // the folder command: dialog, scan, grid loaded
  double seconds = static_cast<double>(scan.nsecsElapsed()) / 1e9;
  application.processEvents();  // the grid's first paint, and the last tick
  ticker.stop();
  int rows = window.Documents().RowCount();
  std::printf("folder listed       %.3f s  longest pause %lld ms\n", listing,
              static_cast<long long>(listingPause));
  std::printf("scan to grid        %d rows  %.3f s  longest pause %lld ms\n", rows, seconds,
              static_cast<long long>(longestPause));

  widgets::FrozenColumnTable& grid = *window.Grid();
  QScrollBar* bar = grid.verticalScrollBar();
  double scroll =
      TimeGridStep(grid, [&](int i) { bar->setValue((i * 7919) % std::max(1, bar->maximum())); });
  double select = TimeGridStep(grid, [&](int i) {
    int row = (i * 104729) % rows;
    grid.SelectRows(row, {row});
  });
  double shiftAll = TimeGridStep(
      grid,
      [&](int) {
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ShiftModifier);
        QApplication::sendEvent(&grid, &end);
      },
      [&](int) { grid.SelectRows(0, {0}); });
  grid.SelectRows(rows / 2, {rows / 2});
  double moveUp = TimeGridStep(grid, [&](int) { window.MoveSelectedUp(); });
  double drag = TimeGridStep(grid, [&](int i) {
    window.MoveDraggedRow(i % 2 == 0 ? 0 : rows - 2, i % 2 == 0 ? rows - 2 : 0);
  });
  dialogs.answers.assign(100, widgets::Dialogs::Answer::First);
  double removeOne = TimeGridStep(
      grid, [&](int) { window.DeleteSelectedRows(); }, [&](int) { grid.SelectRows(2, {2}); });
  double removeMany = TimeGridStep(
      grid, [&](int) { window.DeleteSelectedRows(); },
      [&](int i) {
        // 1,000 rows scattered over the list: 1,000 ranges of one row.
        int left = window.Documents().RowCount();
        std::vector<int> chosen;
        for (int k = 0; k < 1000; ++k) {
          chosen.push_back(static_cast<int>((static_cast<long long>(k) * left) / 1000) + i % 7);
        }
        grid.SelectRows(chosen.front(), chosen);
      });
  double sort = TimeGridStep(grid, [&](int i) { window.SortRows(i % 11, i % 2 == 0); });
  double undo = TimeGridStep(grid, [&](int) { window.UndoListChange(); });
  double resize = TimeGridStep(grid, [&](int i) { grid.SetColumnWidth(1, 150 + i * 3); });
  std::printf(
      "grid, median ms     scroll %.2f  select %.2f  shift-select all %.2f  move up %.2f  "
      "drag far %.2f  delete %.2f  delete 1,000 %.2f  sort %.2f  undo %.2f  "
      "resize column %.2f\n",
      scroll, select, shiftAll, moveUp, drag, removeOne, removeMany, sort, undo, resize);

  // Cancel pressed 0.3 s into a second scan: how long until the dialog is
  // back in the user's hands.
  QElapsedTimer sinceCancel;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(300, [&] {
      if (auto* progress = folderDialog->findChild<QProgressDialog*>()) {
        sinceCancel.start();
        progress->cancel();
      }
    });
    testsupport::ScanAndWait(*folderDialog);
    folderDialog->CancelOrClose();
  });
  window.ChooseFolder();
  if (sinceCancel.isValid()) {
    std::printf("cancel answered in  %.1f ms\n",
                static_cast<double>(sinceCancel.nsecsElapsed()) / 1e6);
  }
  window.close();
  return 0;
}
