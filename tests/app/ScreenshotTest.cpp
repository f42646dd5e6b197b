// Pictures of the windows for a person to look at: written only when
// QUILL_SCREENSHOT_DIR names a folder, skipped otherwise.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QStatusBar>

#include "tests/app/ProgramFixture.h"
#include "tests/support/SampleDocuments.h"
#include "widgets/FindBar.h"
#include "widgets/FrozenColumnTable.h"
#include "widgets/MessageBox.h"
#include "widgets/MessageListBox.h"

namespace app {
namespace {

struct Screenshots : ProgramFixture {
  QString folder;

  void SetUp() override {
    folder = qEnvironmentVariable("QUILL_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
      GTEST_SKIP() << "set QUILL_SCREENSHOT_DIR to write pictures of the windows";
    }
    QDir().mkpath(folder);
  }

  void Save(QWidget& widget, const char* name) {
    QApplication::processEvents();  // laid out as the user would see it
    widget.grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
  }
};

TEST_F(Screenshots, Windows) {
  testsupport::TempDir documents;
  testsupport::WriteSampleDocuments(documents.path());
  Start();
  window->resize(1100, 600);
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    Save(dialog, "folder_dialog");
    dialog.Scan();
  });
  SelectRow(4);
  Save(*window, "main_window");
  // Sorted by title, three rows chosen, the find bar open on a text.
  window->SortByHeading(1);
  window->Grid()->SelectRows(2, {1, 2, 4});
  window->OpenFindBar();
  window->FindBar()->TextBox()->setText(QStringLiteral("議事録"));
  Save(*window, "main_window_selection_and_find");
  Save(*window->statusBar(), "status_bar");
  WithDialog<commands::RowEditDialog>(
      editDialog,
      [&](commands::RowEditDialog& dialog) {
        Save(dialog, "edit_dialog");
        dialog.Cancel();
      },
      [this] { window->EditSelectedRow(); });
  WithDialog<commands::TitleDialog>(
      titleDialog,
      [&](commands::TitleDialog& dialog) {
        Save(dialog, "title_dialog");
        dialog.Cancel();
      },
      [this] { window->EnterReportTitle(); });
  widgets::MessageBox box(QStringLiteral("選択中のデータを削除していいですか？"),
                          {QStringLiteral("実行"), QStringLiteral("キャンセル")},
                          QPixmap(QString::fromStdString(paths.DialogIcon())));
  box.show();
  Save(box, "message_box");
  widgets::MessageListBox list(
      QStringLiteral("読み取れなかったファイルが 2 件あります。"),
      {QStringLiteral("memo.rtf: 未対応ファイルです"),
       QStringLiteral("no-properties.wrd: Error PropSetStg.Open HResult = $80030002")});
  list.show();
  Save(list, "scan_messages");
}

TEST_F(Screenshots, NewerFormats) {
  testsupport::TempDir documents;
  testsupport::WriteSampleDocuments(documents.path());
  testsupport::WriteNewerFormatSamples(documents.path());
  Start();
  window->resize(1100, 600);
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    dialog.findChild<QAbstractButton*>(QStringLiteral("NewerFormatsCheck"))->click();
    Save(dialog, "folder_dialog_newer_formats");
    dialog.Scan();
  });
  Save(*window, "main_window_newer_formats");
}

}  // namespace
}  // namespace app
