#pragma once

// The program's windows made as its entry makes them, in a temporary
// program folder, with scripted dialogs and recorded desktop services.

#include <gtest/gtest.h>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/ui/MainWindow.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/ui/FolderDialog.h"
#include "commands/core/TitleHistory.h"
#include "commands/ui/RowEditDialog.h"
#include "commands/ui/TitleDialog.h"
#include "platform/settings/IniFile.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"
#include "widgets/FrozenColumnTable.h"

namespace app {

struct ProgramFixture : ::testing::Test {
  testsupport::TempDir programFolder;
  platform::ProgramPaths paths{programFolder.path(), "quillmark_wd"};
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop desktop;
  std::unique_ptr<MainWindow> window;
  catalogue::FolderDialog* folderDialog = nullptr;
  commands::RowEditDialog* editDialog = nullptr;
  commands::TitleDialog* titleDialog = nullptr;
  // Most tests list the classic documents, as the folder dialog did before
  // a fresh settings file started with the newer formats on; a test of
  // the first start's own choice turns this off.
  bool classicFormatsOnly = true;

  void Start() {
    if (classicFormatsOnly) {
      KeepClassicFormatsOnly();
    }
    window = std::make_unique<MainWindow>(paths, dialogs, desktop);
    folderDialog =
        new catalogue::FolderDialog(paths, dialogs, window->FolderAndTitle(), window.get());
    window->SetFolderDialog(folderDialog);
    editDialog = new commands::RowEditDialog(window->Documents(), window.get());
    window->SetEditDialog(editDialog);
    titleDialog = new commands::TitleDialog(window->FolderAndTitle(),
                                            paths.ConfigFile(commands::kTitleHistoryFileName),
                                            dialogs, window.get());
    window->SetTitleDialog(titleDialog);
    window->show();
  }

  // Writes the folder dialog's choice of classic documents only into a
  // settings file that has no choice yet (one that cannot be read is left).
  void KeepClassicFormatsOnly() {
    std::error_code error;
    std::filesystem::file_status status =
        std::filesystem::symlink_status(paths.SettingsFile(), error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
      return;
    }
    platform::IniFile settings = platform::IniFile::Load(paths.SettingsFile());
    if (!settings.ReadString("folder_select", "newer_formats")) {
      settings.WriteInteger("folder_select", "newer_formats", 0);
      settings.Save(paths.SettingsFile());
    }
  }

  // Closes the main window as the user would, then destroys the windows.
  void Stop() {
    window->close();
    window.reset();
    folderDialog = nullptr;
    editDialog = nullptr;
    titleDialog = nullptr;
  }

  // Runs `command` with `act` done inside the modal dialog it shows.
  template <typename Dialog>
  void WithDialog(Dialog* dialog, const std::function<void(Dialog&)>& act,
                  const std::function<void()>& command) {
    QTimer::singleShot(0, [dialog, act] { act(*dialog); });
    command();
  }

  void FolderCommand(const std::function<void(catalogue::FolderDialog&)>& act) {
    WithDialog(folderDialog, act, [this] { window->ChooseFolder(); });
  }

  // Opens a list as 前回の一覧を開く does, from a list file of `lines`.
  void OpenList(const std::vector<std::string>& lines) {
    catalogue::WriteListFile(paths.ListFile(), lines);
    window->OpenLastList();
  }

  // A cell of the grid: row 0 the headings, row N the list's row N - 1.
  std::string Cell(int col, int row) {
    return row == 0 ? catalogue::DocumentList::Heading(col)
                    : window->Documents().Field(row - 1, col);
  }
  void SetCell(int col, int row, std::string text) {
    window->Documents().SetField(row - 1, col, std::move(text));
  }
  // Selects a row of the grid as a click on it does (row 1 is the first
  // document).
  void SelectRow(int row) { window->Grid()->SelectRows(row - 1, {row - 1}); }
  // The grid's current row, counted so (row 1 the first document).
  int SelectedRow() { return window->Grid()->CurrentRow() + 1; }

  // Print windows that close as soon as they are shown; `opened` counts them.
  void UsePrintWindowsThatCloseAtOnce(int& opened) {
    window->SetPrintWindowFactory([&opened](MainWindow&) {
      ++opened;
      auto dialog = std::make_unique<QDialog>();
      QTimer::singleShot(0, dialog.get(), &QDialog::accept);
      return dialog;
    });
  }
};

using MainWindowFixture = ProgramFixture;

}  // namespace app
