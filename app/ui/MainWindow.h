#pragma once

#include <QDialog>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "catalogue/core/DocumentList.h"
#include "catalogue/core/FolderAndTitle.h"
#include "commands/core/ListHistory.h"
#include "platform/files/ProgramPaths.h"

class QAction;
class QBoxLayout;
class QMimeData;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;

namespace catalogue {
class FolderDialog;
}
namespace commands {
class RowEditDialog;
class TitleDialog;
}  // namespace commands
namespace platform {
class Desktop;
}
namespace widgets {
class Dialogs;
class FindBar;
class FrozenColumnTable;
class GradientPanel;
class GradientButton;
}  // namespace widgets

namespace app {

class DocumentTableModel;

// The main window: title bands, the folder button and label, the report
// title, the list grid of documents and the menus.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(const platform::ProgramPaths& paths, widgets::Dialogs& dialogs,
             platform::Desktop& desktop, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The folder dialog the folder commands show (created after this window).
  void SetFolderDialog(catalogue::FolderDialog* dialog) { folderDialog_ = dialog; }
  // The edit and title dialogs the row and title commands show.
  void SetEditDialog(commands::RowEditDialog* dialog) { editDialog_ = dialog; }
  void SetTitleDialog(commands::TitleDialog* dialog) { titleDialog_ = dialog; }
  // Makes the print window of a print command (a fresh one each time).
  using PrintWindowFactory = std::function<std::unique_ptr<QDialog>(MainWindow&)>;
  void SetPrintWindowFactory(PrintWindowFactory factory) { printWindows_ = std::move(factory); }

  // Opens the folder dialog on `folder` (a folder dropped on the window, or
  // given on the command line); a file stands for its folder. Says so when
  // there is no such folder.
  void OpenFolderDialogOn(const QString& folder);
  // Another start of the program handed over to this window: it comes to
  // the front, and opens the folder dialog on `folder` when one is named
  // and no other window of the program waits for the user.
  void TakeAnotherStart(const QString& folder);

  // The documents the grid lists, and the grid that shows them (its rows
  // are the list's rows).
  catalogue::DocumentList& Documents() { return documents_; }
  widgets::FrozenColumnTable* Grid() const { return grid_; }
  widgets::FindBar* FindBar() const { return findBar_; }
  // The grid's column widths, as display.dat keeps them.
  std::vector<int> ColumnWidths() const;
  // The folder scanned and the report title, which the folder and title
  // dialogs set and the labels show.
  catalogue::FolderAndTitle& FolderAndTitle() { return folderAndTitle_; }
  QLabel* FolderLabel() const { return folderLabel_; }
  QLabel* TitlePanel() const { return titleLabel_; }
  // A menu or pop-up item by its name ("N1", "Exit1", "N31", ...).
  QAction* Item(const QString& name) const;

 public slots:
  void ChooseFolder();
  void Quit();
  void EditSelectedRow();
  // Deletes the selected rows (or the current one) after one question.
  void DeleteSelectedRows();
  void MoveSelectedUp();
  void MoveSelectedDown();
  void EnterReportTitle();
  void WidenFileNameColumn();
  void NarrowFileNameColumn();
  void WidenTitleColumn();
  void NarrowTitleColumn();
  void ExportCsv();
  void CopyToClipboard();
  // Copies the selected rows (Ctrl+C): the CSV lines and the table.
  void CopySelectedRows();
  // Opens the find bar, and finds the next row holding its text (F3).
  void OpenFindBar();
  void FindNextRow();
  void OpenManual();
  void SendSupportMail();
  void OpenHomePage();
  void StartTextEditor();
  void ShowMemory();
  void ShowScreenResolution();
  void ShowVersion();
  void PrintReport();
  // Undoes and redoes the row commands since the list was scanned or opened.
  void UndoListChange();
  void RedoListChange();
  // Opens the list as it was last written, with its folder and title.
  void OpenLastList();

  // Sorts the documents by a column (the 並べ替え menu).
  void SortRows(int column, bool ascending);
  // A heading clicked: sorts by its column, the other way on a second click.
  void SortByHeading(int column);
  // Opens the document of the selected row with the desktop's program.
  void OpenSelectedDocument();

  // The row commands the handlers share.
  void MoveSelected(bool up);
  // Moves a row dragged in the grid (grid rows) to where it was let go.
  void MoveDraggedRow(int from, int to);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  // A folder dropped from the file manager opens the folder dialog on it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildBands();
  void BuildMenus();
  QMenu* BuildSortMenu();
  QMenu* BuildRowMenu();
  // The maker's support mail address and web page, which the Information
  // menu opens.
  static QString SupportMail();
  static QString WebAddress();
  void BuildGrid(QBoxLayout* layout);
  // The first local folder among dropped links; empty when none.
  static QString DroppedFolder(const QMimeData* data);
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                   void (MainWindow::*handler)() = nullptr, const QKeySequence& shortcut = {});
  // The first showing: no folder, an empty list, the saved column widths.
  void StartWithEmptyList();
  // The labels show the folder and title as they now are.
  void ShowFolderAndTitle();
  void RunFolderCommand();
  void ChangeColumnWidth(int col, int delta);
  // The file the CSV export offers.
  QString OfferedCsvName() const;
  // The grid's current row (that edit and move act on), -1 when none.
  int SelectedRow() const;
  void Inform(const QString& text);
  // After a row command: show the grid's cells and give it the focus.
  void RefreshGrid();
  // A row command was made: it can be undone, the grid shows it with the
  // row `selected` selected, sorted as `sort` says, and the list file gets
  // it.
  void ListChanged(commands::ListHistory::Change change, int selected, commands::SortState sort);
  // After an undo or redo, or a change: the grid, the menu and the list
  // file follow.
  void AfterListChange(const commands::ListHistory::Step& step);
  // The grid shows the list (`current` current, with `rows` selected) and
  // the undo items say what can be undone.
  void ShowList(std::optional<int> current, const std::vector<int>& rows = {});
  // Rows as high as the font in use needs: the designed 17 pixels at the
  // designed font, more for a larger desktop font.
  void FitRowsToFont();
  // The status line: how many documents the list holds.
  void ShowCount();
  // The files of the scan just loaded that could not be read are named in
  // their rows.
  void NameUnreadableRows();
  // The undo items and the commands that change the list are enabled as
  // far as there is something to act on.
  void EnableListCommands();
  // Writes the rows to the list file: at once for a list of ordinary size,
  // a moment after the last of several quick changes for a very long one.
  void SaveList();
  void WriteListNow();
  // Replaces the list with the list file; false (said) when it cannot be
  // read, the list then as it was.
  bool ReadListFile();
  // The folder and title the list file was made with, kept with it.
  void RememberListFolderAndTitle();

  const platform::ProgramPaths& paths_;
  widgets::Dialogs& dialogs_;
  platform::Desktop& desktop_;
  catalogue::FolderDialog* folderDialog_ = nullptr;
  commands::RowEditDialog* editDialog_ = nullptr;
  commands::TitleDialog* titleDialog_ = nullptr;
  PrintWindowFactory printWindows_;
  catalogue::FolderAndTitle folderAndTitle_;
  catalogue::DocumentList documents_;
  DocumentTableModel* model_ = nullptr;
  std::vector<int> loadedWidths_;  // as the column-width file gave them at start
  bool shown_ = false;
  bool listOpen_ = false;  // a list was scanned or opened since the start
  commands::ListHistory history_;
  QTimer* listWriter_ = nullptr;  // a write of a long list, waiting
  commands::SortState sort_;      // how the list was sorted last

  widgets::GradientPanel* titleBand_ = nullptr;
  widgets::GradientPanel* folderBand_ = nullptr;
  widgets::GradientButton* folderButton_ = nullptr;
  QLabel* folderLabel_ = nullptr;
  QLabel* titleLabel_ = nullptr;
  widgets::FrozenColumnTable* grid_ = nullptr;
  widgets::FindBar* findBar_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QLabel* unreadableLabel_ = nullptr;
  QMenu* rowMenu_ = nullptr;
  QMenu* sortMenu_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
};

}  // namespace app
