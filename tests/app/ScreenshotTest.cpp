// Pictures of the windows for a person to look at: written only when
// QUILL_SCREENSHOT_DIR names a folder, skipped otherwise.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QStatusBar>

#include "tests/app/PrintWindowWithDesigner.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScanAndWait.h"
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
    testsupport::ScanAndWait(dialog);
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
    testsupport::ScanAndWait(dialog);
  });
  Save(*window, "main_window_newer_formats");
}

// The main, print and designer windows as a desktop may show them: under a
// dark Fusion palette, and in Noto Sans CJK JP 12 pt.
TEST_F(Screenshots, DarkPaletteAndDesktopFont) {
  testsupport::TempDir documents;
  testsupport::WriteSampleDocuments(documents.path());
  QPalette designedPalette = QApplication::palette();
  QFont designedFont = QApplication::font();
  for (const char* look : {"dark", "noto12"}) {
    if (std::string(look) == "dark") {
      QPalette dark;
      dark.setColor(QPalette::Window, QColor(45, 45, 48));
      dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
      dark.setColor(QPalette::Base, QColor(30, 30, 32));
      dark.setColor(QPalette::AlternateBase, QColor(50, 50, 54));
      dark.setColor(QPalette::Text, QColor(230, 230, 230));
      dark.setColor(QPalette::Button, QColor(60, 60, 64));
      dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
      dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
      dark.setColor(QPalette::HighlightedText, Qt::white);
      dark.setColor(QPalette::Mid, QColor(100, 100, 104));
      QApplication::setPalette(dark);
    } else {
      QApplication::setPalette(designedPalette);
      QFont noto(QStringLiteral("Noto Sans CJK JP"));
      noto.setPointSize(12);
      QApplication::setFont(noto);
    }
    Start();
    window->resize(1100, 600);
    FolderCommand([&](catalogue::FolderDialog& dialog) {
      dialog.SelectFolder(QString::fromStdString(documents.path()));
      dialog.ShowSelectedFolder();
      Save(dialog, (std::string(look) + "_folder_dialog").c_str());
      testsupport::ScanAndWait(dialog);
    });
    Save(*window, (std::string(look) + "_main_window").c_str());
    PrintWindowWithDesigner made(*this);
    printing::PrintWindow& print = made.window;
    print.resize(1000, 700);
    print.show();
    print.LoadStyle(
        QString::fromStdString(std::string(QUILL_SOURCE_DIR) + "/resources/style/一覧表_A4縦.sle"));
    Save(print, (std::string(look) + "_print_window").c_str());
    print.OpenDesigner();
    ASSERT_NE(print.Designer(), nullptr);
    print.Designer()->resize(1100, 750);
    Save(*print.Designer(), (std::string(look) + "_designer").c_str());
    dialogs.answers = {widgets::Dialogs::Answer::Second};
    print.Designer()->close();
    Stop();
  }
  QApplication::setPalette(designedPalette);
  QApplication::setFont(designedFont);
}

}  // namespace
}  // namespace app
