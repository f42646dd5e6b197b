#pragma once

#include <QDialog>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/core/FolderAndTitle.h"
#include "catalogue/core/FolderListing.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ScanMessages.h"
#include "catalogue/core/SummaryStreamSource.h"
#include "catalogue/scan/DetachedTask.h"
#include "catalogue/scan/FolderTasks.h"
#include "platform/files/PathProbe.h"
#include "platform/files/ProgramPaths.h"

class QCheckBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;
class QStatusBar;
class QTreeView;

namespace widgets {
class Dialogs;
class GradientButton;
class GradientPanel;
}  // namespace widgets

namespace catalogue {

class TaskWatcher;

// The folder dialog: a folder tree, the selected folder's documents, and the
// scan that reads them into the document list file. exec() answers Accepted
// when the scan rewrote the list file, and the scanned folder is then the
// main window's folder. Folders are listed and documents read as detached
// tasks; the dialog hears them through TaskWatcher and keeps answering.
class FolderDialog : public QDialog {
  Q_OBJECT

 public:
  FolderDialog(const platform::ProgramPaths& paths, widgets::Dialogs& dialogs,
               FolderAndTitle& folderAndTitle, QWidget* parent = nullptr);
  ~FolderDialog() override;

  // Selects a folder in the tree (as a click would) and shows it.
  void SelectFolder(const QString& path);
  // Selects a folder and lists its documents, as a double-click on it does.
  void OpenFolder(const QString& path);
  // Whether a scan is running.
  bool Scanning() const { return scan_ != nullptr; }
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
  // The listing of that folder.
  const FolderListing& Listing() const { return listing_; }
  // How long a scan runs before its progress shows (tests show it at once).
  void SetProgressDelay(int milliseconds) { progressDelayMs_ = milliseconds; }
  // Where the scan reads the documents' summaries (compound files through
  // libgsf unless a test gives another).
  using SourceMaker = std::function<std::unique_ptr<SummaryStreamSource>()>;
  void SetDocumentSource(SourceMaker make) { makeSource_ = std::move(make); }
  // How folders are listed (ListDocumentFiles unless a test gives another).
  void SetFolderLister(FolderLister lister) { lister_ = std::move(lister); }

 signals:
  // A scan started by Scan() has ended, read whole, cancelled or failed.
  void scanEnded();

 public slots:
  void ShowSelectedFolder();
  void Scan();
  void CancelOrClose();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  // Lists the documents of `path`: at once when it lists quickly, else
  // on a thread of its own while the window goes on answering (a file
  // server that answers slowly or not at all, a deep tree of subfolders).
  void ShowDirectory(const QString& path);
  // Takes what the listing task gave into the listing and shows it.
  void ListingEnded();
  void ShowListedNames();
  // The listing's word in the status line (or none once listed).
  void ShowListingStatus();
  // Any other word in the status line; empty clears it.
  void ShowStatus(const QString& text);
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
  // Says the last folder's server has not answered, and opens the folder
  // when it does (unless the user went elsewhere meanwhile).
  void WaitForLastFolder(const QString& last);
  void LastFolderAnswered(const QString& last, const QString& startedOn);
  // Starts the scan of the listed documents; a list file that cannot be
  // written throws platform::UserError before anything starts.
  void StartScanOfListed();
  // Shows how far the scan is.
  void ShowScanProgress();
  // The scan's task has ended: its list file kept, its summary shown and
  // the dialog accepted, or said why not.
  void ScanTaskEnded();
  // Ends the scan on the window's side: cancelled (the task is left to end
  // by itself, and its list file is not kept) or ended.
  void EndScan(bool cancelled);
  void EnableCommands(bool on);
  void RememberScannedFiles(const std::vector<std::string>& names, const ScanMessages& messages);

  const platform::ProgramPaths& paths_;
  widgets::Dialogs& dialogs_;
  FolderAndTitle& folderAndTitle_;
  QString listDirectory_;
  int progressDelayMs_ = 500;
  struct RunningScan;
  std::unique_ptr<RunningScan> scan_;  // while a scan runs
  std::vector<ScannedFile> scannedFiles_;
  // The last folder while its server is silent.
  std::optional<DetachedTask<platform::PathKind>> lastFolderLook_;
  std::unique_ptr<TaskWatcher> lastFolderWatcher_;
  SourceMaker makeSource_;
  FolderLister lister_;
  FolderListing listing_;
  std::optional<DetachedTask<ListedFolder>> listingTask_;  // while a folder is being listed
  std::unique_ptr<TaskWatcher> listingWatcher_;
  bool listingStatusShown_ = false;
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
