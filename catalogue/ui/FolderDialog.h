#pragma once

#include <QDialog>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/core/ProgramPaths.h"
#include "catalogue/core/BackgroundListing.h"
#include "catalogue/core/BackgroundScan.h"
#include "catalogue/core/FolderAndTitle.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ScanMessages.h"
#include "catalogue/core/SummaryStreamSource.h"
#include "platform/files/PathProbe.h"

class QCheckBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;
class QStatusBar;
class QTimer;
class QTreeView;

namespace widgets {
class Dialogs;
class GradientButton;
class GradientPanel;
}  // namespace widgets

namespace catalogue {

// The folder dialog: a folder tree, the selected folder's documents, and the
// scan that reads them into the document list file. exec() answers Accepted
// when the scan rewrote the list file, and the scanned folder is then the
// main window's folder.
class FolderDialog : public QDialog {
  Q_OBJECT

 public:
  FolderDialog(const app::ProgramPaths& paths, widgets::Dialogs& dialogs,
               FolderAndTitle& folderAndTitle, QWidget* parent = nullptr);
  ~FolderDialog() override;

  // Selects a folder in the tree (as a click would) and shows it.
  void SelectFolder(const QString& path);
  // Selects a folder and lists its documents, as a double-click on it does.
  void OpenFolder(const QString& path);
  // Whether a scan is running.
  bool Scanning() const { return activeScan_ != nullptr; }
  // The files the last finished scan read, in the order of their lines in
  // the list file: each one's name as the file list shows it (UTF-8) and,
  // for a file that could not be read, why.
  struct ScannedFile {
    std::string name;
    std::string reason;
  };
  const std::vector<ScannedFile>& ScannedFiles() const { return scannedFiles_; }
  // The folder selected in the tree; empty when none.
  QString SelectedFolder() const;
  // The folder whose documents the list shows, and their names (once
  // listed: a folder still being listed is waited for).
  QString ListDirectory() const { return listDirectory_; }
  QStringList ListedNames();
  // How long a scan runs before its progress shows (tests show it at once).
  void SetProgressDelay(int milliseconds) { progressDelayMs_ = milliseconds; }
  // Where the scan reads the documents' summaries (compound files through
  // libgsf unless a test gives another).
  using SourceMaker = std::function<std::unique_ptr<SummaryStreamSource>()>;
  void SetDocumentSource(SourceMaker make) { makeSource_ = std::move(make); }
  // How folders are listed (ListDocumentFiles unless a test gives another).
  void SetFolderLister(BackgroundListing::Lister lister) { lister_ = std::move(lister); }

 public slots:
  void ShowSelectedFolder();
  void Scan();
  void CancelOrClose();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  // Lists the documents of `path`: at once when it lists quickly, else
  // on a thread of its own while the window goes on answering (a file
  // server that answers slowly or not at all, a deep tree of subfolders).
  void ShowDirectory(const QString& path);
  // Shows the listing's names once it is done.
  void CheckListing();
  void ShowListedNames();
  // Waits at most `patience` for a listing still running and shows it;
  // false when it is still running.
  bool FinishListing(std::chrono::milliseconds patience);
  // Opens the folder typed or pasted into the path field in the tree and
  // the file list; a path that is not a folder is refused with a message.
  void OpenTypedPath();
  // Scrolls the tree to its selection while the folder was selected by the
  // program and the user has not moved the view since.
  void KeepSelectionInView();
  // What the file list shows and the scan reads: the newer formats too
  // when the check box under the list is on.
  DocumentFormats ListedFormats() const;
  // The check box's state kept in the settings file (off when the file
  // cannot be read).
  bool ReadNewerFormatsSetting();
  // Whether the subfolders' documents are listed too (the second check box).
  Subfolders ListedSubfolders() const;
  // The tool tips and the status text, which name documents rather than
  // Excel files when the newer formats are listed.
  void ShowHints();
  // The message for a listed folder without documents, with how many newer
  // ones it holds when only the classic ones are listed.
  std::string EmptyFolderMessageOfListed() const;
  // Lists the folder again for the new mask and keeps the choice.
  void NewerFormatsToggled(bool on);
  // Lists the folder again with or without its subfolders and keeps the choice.
  void SubfoldersToggled(bool on);
  // Cancels the scan in progress, if any (the dialog stays open); false when
  // none runs.
  bool CancelActiveScan();
  // Reads the listed documents into the list file and then shows, in one
  // summary, every file that could not be read; false when the user
  // cancelled (nothing changed then).
  bool ScanListedDocuments();
  // Says the last folder's server has not answered, and opens the folder
  // when it does (unless the user went elsewhere meanwhile).
  void WaitForLastFolder(const QString& last);
  void RememberScannedFiles(const std::vector<std::string>& names, const ScanMessages& messages);

  const app::ProgramPaths& paths_;
  widgets::Dialogs& dialogs_;
  FolderAndTitle& folderAndTitle_;
  QString listDirectory_;
  int progressDelayMs_ = 500;
  BackgroundScan* activeScan_ = nullptr;  // while a scan runs
  std::vector<ScannedFile> scannedFiles_;
  std::vector<LeftOutFolder> leftOutFolders_;             // of the folder listed
  std::unique_ptr<platform::PathProbe> lastFolderProbe_;  // while its server is silent
  bool cancelRequested_ = false;
  SourceMaker makeSource_;
  BackgroundListing::Lister lister_;
  std::unique_ptr<BackgroundListing> listing_;               // while a folder is being listed
  std::tuple<QString, DocumentFormats, Subfolders> listed_;  // what it lists
  QTimer* listingTicks_ = nullptr;
  bool keepSelectionInView_ = false;

  widgets::GradientPanel* titleBand_ = nullptr;
  QLabel* listedFolderLabel_ = nullptr;
  QLineEdit* pathEdit_ = nullptr;
  QFileSystemModel* folders_ = nullptr;
  QTreeView* folderTree_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QListWidget* fileList_ = nullptr;
  QCheckBox* newerFormatsCheck_ = nullptr;
  QCheckBox* subfoldersCheck_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  widgets::GradientButton* scanButton_ = nullptr;
  widgets::GradientButton* cancelButton_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
};

}  // namespace catalogue
