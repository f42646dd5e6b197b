#include "catalogue/ui/FolderDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/core/ScanMessages.h"
#include "catalogue/readers/ReaderWithSources.h"
#include "catalogue/ui/TaskWatcher.h"
#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"
#include "widgets/ApplicationTitle.h"
#include "widgets/Dialogs.h"
#include "widgets/FontFit.h"
#include "widgets/GradientButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/PathChecks.h"
#include "widgets/SettingValues.h"
#include "widgets/WindowPlacement.h"

namespace catalogue {

namespace {

constexpr const char* kSection = "folder_select";
constexpr const char* kNewerFormatsKey = "newer_formats";
constexpr const char* kSubfoldersKey = "subfolders";
constexpr const char* kLastFolderKey = "last_folder";
constexpr int kDesignedWidth = 799;
constexpr int kDesignedHeight = 587;

// The hints as they have always read, and as they read with the newer
// formats, which list documents of every kind.
struct Hints {
  const char* folder;
  const char* list;
  const char* status;
};
const Hints kClassicHints = {
    "左のパネルからエクセルファイルのあるフォルダーをダブルクリックにて選択してください",
    "指定されたフォルダーの中に含まれるエクセルファイルを表示しています",
    "左のパネルからエクセルファイルのあるフォルダーをダブルクリックにて選択し、"
    "プロパティ実行を押してください",
};
const Hints kDocumentHints = {
    "左のパネルから文書のあるフォルダーをダブルクリックにて選択してください",
    "指定されたフォルダーの中に含まれる文書を表示しています",
    "左のパネルから文書のあるフォルダーをダブルクリックにて選択し、"
    "プロパティ実行を押してください",
};
const char* const kPathHint =
    "フォルダーのパスを入力または貼り付けて Enter を押すと、そのフォルダーを開きます";
const char* const kNewerFormatsLabel = "新しい形式も読む（.docx・.xlsx・.pptx・.odt・PDF など）";
const char* const kNewerFormatsHint =
    "オンにすると Word 2007 以降の文書、Excel と PowerPoint のファイル（新旧とも）、"
    "OpenDocument（.odt・.ods・.odp とフラット形式）、PDF も一覧に入り、"
    "RTF は文書情報（\\info）を読みます。形式はファイルの中身で判断します";
const char* const kSubfoldersLabel = "サブフォルダーも読む";
const char* const kSubfoldersHint =
    "オンにすると、サブフォルダーの中の文書も一覧に入ります。"
    "ファイル名の欄には、選んだフォルダーからのパスが入ります";
const char* const kHowToListNewer = "「新しい形式も読む」をオンにすると一覧にできます。";
const char* const kCancelledText = "プロパティの読み取りを中止しました。一覧は変更されていません。";
// How long a folder may take to list before the window stops waiting for
// it and shows it when its task says it is done.
constexpr std::chrono::milliseconds kListingWait{10};
// How long the scan waits for a folder still being listed (the scan button
// is off meanwhile, so only a program's call waits).
constexpr std::chrono::milliseconds kScanWaitsForListing{30000};

std::string FileSystemBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// A folder tree in which a right click selects the folder under the mouse
// and Return or Enter opens the current folder as a double-click does.
class FolderTree : public QTreeView {
 public:
  // `open` runs on Return or Enter; `touched` whenever the user moves the
  // view or the selection (a key, a click, the wheel).
  FolderTree(std::function<void()> open, std::function<void()> touched)
      : open_(std::move(open)), touched_(std::move(touched)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    touched_();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
      event->accept();
      open_();
      return;
    }
    QTreeView::keyPressEvent(event);
  }

  void wheelEvent(QWheelEvent* event) override {
    touched_();
    QTreeView::wheelEvent(event);
  }

  void mousePressEvent(QMouseEvent* event) override {
    touched_();
    if (event->button() == Qt::RightButton) {
      QModelIndex index = indexAt(event->position().toPoint());
      if (index.isValid()) {
        setCurrentIndex(index);
      }
    }
    QTreeView::mousePressEvent(event);
  }

 private:
  std::function<void()> open_;
  std::function<void()> touched_;
};

}  // namespace

FolderDialog::FolderDialog(const platform::ProgramPaths& paths, widgets::Dialogs& dialogs,
                           FolderAndTitle& folderAndTitle, QWidget* parent)
    : QDialog(parent), paths_(paths), dialogs_(dialogs), folderAndTitle_(folderAndTitle) {
  setObjectName(QStringLiteral("ffolder_select"));
  setWindowTitle(widgets::ApplicationTitle());
  BuildLayout();

  widgets::RestoreWindowGeometry(*this, paths_.SettingsFile(), kSection, kDesignedWidth,
                                 kDesignedHeight);
  newerFormatsCheck_->setChecked(ReadNewerFormatsSetting());
  subfoldersCheck_->setChecked(
      widgets::ReadSettingInteger(paths_.SettingsFile(), kSection, kSubfoldersKey, 0) == 1);
  ShowHints();
  connect(newerFormatsCheck_, &QCheckBox::toggled, this, &FolderDialog::NewerFormatsToggled);
  connect(subfoldersCheck_, &QCheckBox::toggled, this, &FolderDialog::SubfoldersToggled);

  // The folder scanned last, else the user's home folder, selected and
  // opened, is where the tree starts. A last folder on a server that does
  // not answer is waited for a moment, then left to answer later.
  QString last = QString::fromStdString(
      widgets::ReadSettingText(paths_.SettingsFile(), kSection, kLastFolderKey));
  platform::PathKind kind = platform::PathKind::Missing;
  if (!last.isEmpty()) {
    lastFolderWatcher_ = std::make_unique<TaskWatcher>();
    lastFolderLook_.emplace(
        [path = FileSystemBytes(last)](TaskProgress&) { return platform::LookAtPath(path); },
        lastFolderWatcher_->Listener());
    kind = lastFolderLook_->WaitFor(platform::kPathPatience) ? lastFolderLook_->Take()
                                                             : platform::PathKind::NoAnswer;
  }
  if (kind == platform::PathKind::Folder) {
    OpenFolder(last);
  } else {
    SelectFolder(QDir::homePath());
    ShowDirectory(SelectedFolder().isEmpty() ? QDir::currentPath() : SelectedFolder());
  }
  if (kind == platform::PathKind::NoAnswer) {
    WaitForLastFolder(last);
  } else {
    lastFolderLook_.reset();
    lastFolderWatcher_.reset();
  }
}

void FolderDialog::WaitForLastFolder(const QString& last) {
  ShowStatus(widgets::WaitingForServerText() + QStringLiteral(" ") + last);
  // The look goes on; the window goes on meanwhile and hears its answer.
  QString startedOn = listDirectory_;
  connect(lastFolderWatcher_.get(), &TaskWatcher::finished, this,
          [this, last, startedOn] { LastFolderAnswered(last, startedOn); });
}

void FolderDialog::LastFolderAnswered(const QString& last, const QString& startedOn) {
  if (!lastFolderLook_ || !lastFolderLook_->Finished()) {
    return;
  }
  platform::PathKind kind = lastFolderLook_->Take();
  lastFolderLook_.reset();
  lastFolderWatcher_.release()->deleteLater();  // its signal is being delivered
  ShowStatus({});
  // Opened where the user left off, unless they went elsewhere meanwhile.
  if (kind == platform::PathKind::Folder && listDirectory_ == startedOn && !Scanning()) {
    OpenFolder(last);
  }
}

void FolderDialog::OpenFolder(const QString& path) {
  QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  SelectFolder(folder);
  ShowDirectory(folder);
}

FolderDialog::~FolderDialog() {
  widgets::RunReported(
      dialogs_, [&] { widgets::SaveWindowGeometry(*this, paths_.SettingsFile(), kSection); });
}

void FolderDialog::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  titleBand_ = new widgets::GradientPanel;
  titleBand_->setObjectName(QStringLiteral("GradPan2"));
  titleBand_->SetColors(QColor(40, 60, 120), QColor(83, 85, 108));
  titleBand_->SetCaption(QStringLiteral("   フォルダー指定"));
  titleBand_->SetCaptionStyle(Qt::white, 16, true);
  widgets::FixHeightForContents(*titleBand_, 30);
  layout->addWidget(titleBand_);

  listedFolderLabel_ = new QLabel;
  listedFolderLabel_->setObjectName(QStringLiteral("Label1"));
  widgets::FixHeightForCaption(*listedFolderLabel_, 27);
  listedFolderLabel_->setContentsMargins(8, 0, 8, 0);
  layout->addWidget(listedFolderLabel_);

  folders_ = new QFileSystemModel(this);
  folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders_->setRootPath(QStringLiteral("/"));
  auto* pathRow = new QHBoxLayout;
  pathRow->setContentsMargins(8, 0, 8, 4);
  auto* pathLabel = new QLabel(QStringLiteral("フォルダー(&P):"));
  pathEdit_ = new QLineEdit;
  pathEdit_->setObjectName(QStringLiteral("PathEdit"));
  pathEdit_->setToolTip(QString::fromUtf8(kPathHint));
  pathEdit_->setClearButtonEnabled(true);
  pathLabel->setBuddy(pathEdit_);
  pathRow->addWidget(pathLabel);
  pathRow->addWidget(pathEdit_, 1);
  layout->addLayout(pathRow);
  connect(pathEdit_, &QLineEdit::returnPressed, this, &FolderDialog::OpenTypedPath);

  folderTree_ =
      new FolderTree([this] { ShowSelectedFolder(); }, [this] { keepSelectionInView_ = false; });
  folderTree_->setObjectName(QStringLiteral("ShellTreeView1"));
  folderTree_->setModel(folders_);
  // (Connected after the view, so that it has laid out the rows first.)
  // The tree fills in the background and sorts what it has read, which
  // moves rows; until the user moves the view, keep the folder just selected
  // in view.
  connect(folders_, &QFileSystemModel::layoutChanged, this, &FolderDialog::KeepSelectionInView);
  connect(folders_, &QFileSystemModel::rowsInserted, this, &FolderDialog::KeepSelectionInView);
  connect(folders_, &QFileSystemModel::directoryLoaded, this, &FolderDialog::KeepSelectionInView);
  for (int column = 1; column < folders_->columnCount(); ++column) {
    folderTree_->hideColumn(column);
  }
  folderTree_->header()->hide();
  folderTree_->setRootIsDecorated(true);
  folderTree_->setCursor(Qt::PointingHandCursor);
  folderTree_->setExpandsOnDoubleClick(false);
  connect(folderTree_, &QTreeView::doubleClicked, this, &FolderDialog::ShowSelectedFolder);

  fileList_ = new QListWidget;
  fileList_->setObjectName(QStringLiteral("FileListBox1"));
  // One line of text each: the list lays out a hundred thousand names at once.
  fileList_->setUniformItemSizes(true);

  newerFormatsCheck_ = new QCheckBox(QString::fromUtf8(kNewerFormatsLabel));
  newerFormatsCheck_->setObjectName(QStringLiteral("NewerFormatsCheck"));
  newerFormatsCheck_->setToolTip(QString::fromUtf8(kNewerFormatsHint));
  subfoldersCheck_ = new QCheckBox(QString::fromUtf8(kSubfoldersLabel));
  subfoldersCheck_->setObjectName(QStringLiteral("SubfoldersCheck"));
  subfoldersCheck_->setToolTip(QString::fromUtf8(kSubfoldersHint));
  auto* checks = new QHBoxLayout;
  checks->setContentsMargins(0, 0, 0, 0);
  checks->addWidget(newerFormatsCheck_);
  checks->addSpacing(12);
  checks->addWidget(subfoldersCheck_);
  checks->addStretch();
  auto* files = new QWidget;
  auto* filesLayout = new QVBoxLayout(files);
  filesLayout->setContentsMargins(0, 0, 0, 0);
  filesLayout->setSpacing(2);
  filesLayout->addWidget(fileList_, 1);
  filesLayout->addLayout(checks);

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setObjectName(QStringLiteral("Splitter1"));
  splitter_->addWidget(folderTree_);
  splitter_->addWidget(files);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({177, 600});
  layout->addWidget(splitter_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(8, 6, 8, 6);
  buttons->addStretch();
  scanButton_ = new widgets::GradientButton(QStringLiteral("プロパティ読取実行"));
  scanButton_->setObjectName(QStringLiteral("GradBtn1"));
  cancelButton_ = new widgets::GradientButton(QStringLiteral("キャンセル"));
  cancelButton_->setObjectName(QStringLiteral("GradBtn2"));
  for (widgets::GradientButton* button : {scanButton_, cancelButton_}) {
    widgets::FixSizeForCaption(*button, {105, 25}, button->text());
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  connect(scanButton_, &QPushButton::clicked, this, &FolderDialog::Scan);
  connect(cancelButton_, &QPushButton::clicked, this, &FolderDialog::CancelOrClose);
  layout->addLayout(buttons);

  statusBar_ = new QStatusBar;
  statusBar_->setObjectName(QStringLiteral("StatusBar1"));
  statusBar_->setSizeGripEnabled(false);
  statusLabel_ = new QLabel;
  statusBar_->addWidget(statusLabel_, 1);
  layout->addWidget(statusBar_);

  // Keyboard users go from the path to the tree, the documents and the buttons.
  for (QWidget* widget :
       std::initializer_list<QWidget*>{pathEdit_, folderTree_, fileList_, newerFormatsCheck_,
                                       subfoldersCheck_, scanButton_, cancelButton_}) {
    widget->setFocusPolicy(Qt::StrongFocus);
  }
  setTabOrder(pathEdit_, folderTree_);
  setTabOrder(folderTree_, fileList_);
  setTabOrder(fileList_, newerFormatsCheck_);
  setTabOrder(newerFormatsCheck_, subfoldersCheck_);
  setTabOrder(subfoldersCheck_, scanButton_);
  setTabOrder(scanButton_, cancelButton_);
}

void FolderDialog::ShowHints() {
  const Hints& hints =
      ListedFormats() == DocumentFormats::WithNewer ? kDocumentHints : kClassicHints;
  folderTree_->setToolTip(QString::fromUtf8(hints.folder));
  fileList_->setToolTip(QString::fromUtf8(hints.list));
  statusLabel_->setText(QString::fromUtf8(hints.status));
}

void FolderDialog::SelectFolder(const QString& path) {
  QModelIndex index = folders_->index(path);
  if (!index.isValid()) {
    return;
  }
  folderTree_->setCurrentIndex(index);
  // Its parents open to show it; the folder itself stays closed until the
  // user opens it, so a folder of a hundred thousand documents is not read
  // by the tree (on this thread) while its documents are being scanned.
  for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) {
    folderTree_->expand(up);
  }
  keepSelectionInView_ = true;
  KeepSelectionInView();
}

void FolderDialog::KeepSelectionInView() {
  if (keepSelectionInView_) {
    folderTree_->scrollTo(folderTree_->currentIndex());
  }
}

QString FolderDialog::SelectedFolder() const {
  QModelIndex index = folderTree_->currentIndex();
  return index.isValid() ? folders_->filePath(index) : QString();
}

QStringList FolderDialog::ListedNames() {
  FinishListing(kScanWaitsForListing);
  QStringList names;
  for (const std::string& name : listing_.Names()) {
    names << QFile::decodeName(QByteArray::fromStdString(name));
  }
  return names;
}

void FolderDialog::ShowDirectory(const QString& path) {
  if (path.isEmpty()) {
    return;
  }
  ListingRequest what{FileSystemBytes(path), ListedFormats(), ListedSubfolders()};
  if (listing_.Listing() && what == listing_.Request()) {
    // Being listed already (the tree's selection and a command, say, or
    // the dialog shown while it lists): it still says so.
    ShowListingStatus();
    return;
  }
  fileList_->clear();
  listDirectory_ = path;
  listedFolderLabel_->setText(path);
  pathEdit_->setText(path);
  listing_.Start(what);
  // A listing still running for another folder is left to end by itself,
  // and its watcher goes with it.
  listingWatcher_ = std::make_unique<TaskWatcher>();
  connect(listingWatcher_.get(), &TaskWatcher::finished, this, &FolderDialog::ListingEnded);
  listingTask_.emplace(StartListing(what, lister_, listingWatcher_->Listener()));
  if (listingTask_->WaitFor(kListingWait)) {
    ListingEnded();
    return;
  }
  scanButton_->setEnabled(false);
  ShowListingStatus();
}

void FolderDialog::ListingEnded() {
  if (!listingTask_ || !listingTask_->Finished()) {
    return;  // a listing left behind, or ended already
  }
  try {
    listing_.Finish(listingTask_->Take());
  } catch (const std::exception& e) {
    listing_.Fail(e.what());  // unreadable, or its server unreachable
  }
  listingTask_.reset();
  listingWatcher_.release()->deleteLater();  // its signal may be being delivered
  ShowListedNames();
}

void FolderDialog::ShowListedNames() {
  for (const std::string& name : listing_.Names()) {
    auto* item = new QListWidgetItem(QFile::decodeName(QByteArray::fromStdString(name)));
    fileList_->addItem(item);
  }
  ShowListingStatus();
  scanButton_->setEnabled(!Scanning());
}

void FolderDialog::ShowListingStatus() {
  QString text = QString::fromStdString(listing_.StatusText());
  if (!text.isEmpty()) {
    statusBar_->showMessage(text);
    listingStatusShown_ = true;
  } else if (listingStatusShown_) {
    statusBar_->clearMessage();  // the listing's word, and no other
    listingStatusShown_ = false;
  }
}

void FolderDialog::ShowStatus(const QString& text) {
  listingStatusShown_ = false;
  if (text.isEmpty()) {
    statusBar_->clearMessage();
  } else {
    statusBar_->showMessage(text);
  }
}

bool FolderDialog::FinishListing(std::chrono::milliseconds patience) {
  if (!listingTask_) {
    return true;
  }
  if (!listingTask_->WaitFor(patience)) {
    return false;
  }
  ListingEnded();
  return true;
}

void FolderDialog::OpenTypedPath() {
  if (Scanning()) {
    return;
  }
  QString typed = pathEdit_->text().trimmed();
  if (typed == QStringLiteral("~") || typed.startsWith(QStringLiteral("~/"))) {
    typed = QDir::homePath() + typed.mid(1);
  }
  if (typed.isEmpty()) {
    return;
  }
  switch (widgets::ProbePath(typed)) {
    case platform::PathKind::Folder: OpenFolder(typed); return;
    case platform::PathKind::NoAnswer:
      ShowStatus(widgets::WaitingForServerText() + QStringLiteral(" ") + typed);
      return;
    default: dialogs_.ShowMessage(typed + QStringLiteral("\r\nフォルダーが見つかりません"));
  }
}

void FolderDialog::ShowSelectedFolder() {
  if (Scanning()) {
    return;  // the listed folder is being scanned
  }
  ShowDirectory(SelectedFolder());
}

void FolderDialog::showEvent(QShowEvent* event) {
  ShowStatus({});  // a scan cancelled at an earlier showing
  // Files may have come or gone since the list was made.
  ShowDirectory(listDirectory_);
  QDialog::showEvent(event);
}

namespace {

// What one scan reads with: its reader with its sources, its messages and
// the list file it writes. The scan's thread owns it with the window, so a
// cancelled scan can end after its file without the window waiting.
struct ScanWork {
  ScanWork(std::unique_ptr<SummaryStreamSource> compound, const std::string& listPath,
           const std::string& folder, DocumentFormats formats)
      : readers(messages, formats, std::move(compound)), writer(listPath) {
    messages.SetFolder(folder);
  }

  // Messages wait for the end of the scan: a box per file would stop the
  // scan, hide under the progress and take key presses meant for it.
  ScanMessages messages;
  ReaderWithSources readers;
  ListFileWriter writer;
};

}  // namespace

// A scan under way: what it reads with, its task and the progress shown.
struct FolderDialog::RunningScan {
  std::vector<std::string> names;
  std::shared_ptr<ScanWork> work;
  std::unique_ptr<TaskWatcher> watcher;
  std::optional<DetachedTask<bool>> task;
  std::unique_ptr<QProgressDialog> progress;
};

void FolderDialog::StartScanOfListed() {
  auto scan = std::make_unique<RunningScan>();
  scan->names = listing_.Names();
  DocumentFormats formats = ListedFormats();
  std::string folder = FileSystemBytes(listDirectory_);
  // The list file's writer: a folder that cannot be written says so here.
  scan->work = std::make_shared<ScanWork>(makeSource_ ? makeSource_() : nullptr, paths_.ListFile(),
                                          folder, formats);
  scan->watcher = std::make_unique<TaskWatcher>();
  connect(scan->watcher.get(), &TaskWatcher::progressed, this, &FolderDialog::ShowScanProgress);
  connect(scan->watcher.get(), &TaskWatcher::finished, this, &FolderDialog::ScanTaskEnded);
  auto total = static_cast<int>(scan->names.size());
  scan->progress =
      std::make_unique<QProgressDialog>(QStringLiteral("プロパティを読み取っています..."),
                                        QStringLiteral("キャンセル"), 0, total, this);
  QProgressDialog& progress = *scan->progress;
  progress.setWindowTitle(windowTitle());
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(progressDelayMs_);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  // Its cancel button, Escape, its close button or a cancel() hide it: the
  // scan is cancelled once the hiding is done.
  connect(&progress, &QProgressDialog::canceled, this, [this] { CancelActiveScan(); });
  progress.installEventFilter(this);
  // While the scan runs the dialog takes no other command; Escape or its
  // close button cancel the scan (reject()). The files are read on the
  // task's thread, which owns what it reads with: a cancel answers at once
  // and leaves the thread to end after its file.
  EnableCommands(false);
  ScanWork& work = *scan->work;
  scan->task.emplace(StartScan(folder, scan->names, scan->work, work.readers.Reader(), work.writer,
                               MakerOfReadersWithSources(formats, makeSource_),
                               scan->watcher->Listener()));
  scan_ = std::move(scan);
  ShowScanProgress();
}

void FolderDialog::EnableCommands(bool on) {
  for (QWidget* part : std::initializer_list<QWidget*>{
           pathEdit_, folderTree_, fileList_, newerFormatsCheck_, subfoldersCheck_, scanButton_}) {
    part->setEnabled(on);
  }
}

void FolderDialog::ShowScanProgress() {
  if (!scan_) {
    return;
  }
  std::size_t done = scan_->task->Done();
  QProgressDialog* progress = scan_->progress.get();
  progress->setLabelText(
      QStringLiteral("プロパティを読み取っています... %1 / %2").arg(done).arg(scan_->names.size()));
  progress->setValue(static_cast<int>(done));  // last: a modal one may take events
}

bool FolderDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && scan_ && watched == scan_->progress.get()) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (Scanning() && !scan_->progress->isVisible()) {
            CancelActiveScan();
          }
        },
        Qt::QueuedConnection);
  }
  return QDialog::eventFilter(watched, event);
}

void FolderDialog::ScanTaskEnded() {
  if (scan_ && scan_->task->Finished()) {
    EndScan(false);
  }
}

void FolderDialog::EndScan(bool cancelled) {
  std::unique_ptr<RunningScan> scan = std::move(scan_);
  EnableCommands(true);
  // Both may be delivering a signal right now.
  scan->progress->hide();
  scan->progress.release()->deleteLater();
  scan->watcher.release()->deleteLater();
  // A cancel pressed after the last file still cancels; so does the
  // program closing while the scan runs. Either way nothing waits for the
  // file being read, and the list file stays as it was.
  bool finished = false;
  bool kept = cancelled || widgets::RunReported(dialogs_, [&] {
                finished = scan->task->Take();
                if (finished) {
                  scan->work->writer.Commit();
                }
              });
  if (!kept) {
    emit scanEnded();
    return;  // the list file could not be written: stay, nothing changed
  }
  if (!finished) {
    // The old list, grid and label stay; the dialog says so and stays open.
    ShowStatus(QString::fromUtf8(kCancelledText));
    emit scanEnded();
    return;
  }
  ScanMessages& messages = scan->work->messages;
  RememberScannedFiles(scan->names, messages);
  // The subfolders the listing left out, named in the same summary.
  for (const LeftOutFolder& folder : listing_.LeftOut()) {
    messages.NoteFolderLeftOut(folder.folder, folder.reason);
  }
  if (!messages.Empty()) {
    QStringList lines;
    for (const ScanMessages::Entry& entry : messages.Entries()) {
      // The name as the file list shows it; the message is the reader's text.
      lines << QFile::decodeName(QByteArray::fromStdString(entry.fileName)) + QStringLiteral(": ") +
                   QString::fromStdString(MessageOnOneLine(entry.text));
    }
    dialogs_.ShowMessageList(QString::fromStdString(messages.Heading()), lines);
  }
  folderAndTitle_.SetFolder(listDirectory_.toStdString());
  widgets::WriteSettingText(dialogs_, paths_.SettingsFile(), kSection, kLastFolderKey,
                            listDirectory_.toStdString());
  emit scanEnded();
  accept();
}

void FolderDialog::RememberScannedFiles(const std::vector<std::string>& names,
                                        const ScanMessages& messages) {
  std::map<std::string, std::string> reasons;
  for (const ScanMessages::Entry& entry : messages.Entries()) {
    reasons.emplace(entry.fileName, MessageOnOneLine(entry.text));  // the first said
  }
  scannedFiles_.clear();
  scannedFiles_.reserve(names.size());
  for (const std::string& name : names) {
    auto reason = reasons.find(name);
    scannedFiles_.push_back({QFile::decodeName(QByteArray::fromStdString(name)).toStdString(),
                             reason == reasons.end() ? std::string() : reason->second});
  }
}

void FolderDialog::Scan() {
  if (Scanning()) {
    return;  // one scan at a time
  }
  if (!FinishListing(kScanWaitsForListing)) {
    return;  // the folder is still being listed, as the status bar says
  }
  ShowStatus({});
  if (listing_.CurrentState() == FolderListing::State::Failed) {
    // Nothing could be listed: the folder's own error, and the dialog stays
    // for another folder.
    ShowListingStatus();
    dialogs_.ShowMessage(QString::fromStdString(listing_.Error()));
    return;
  }
  if (listing_.Names().empty()) {
    // Nothing to read: the list file, the grid and the folder label stay, so
    // a report never names a folder whose documents it does not list.
    dialogs_.ShowInformation(QString::fromStdString(EmptyFolderMessageOfListed()));
    done(QDialog::Rejected);  // not reject(): that would cancel a scan
    return;
  }
  // A list file that cannot be written is said, and nothing changes.
  widgets::RunReported(dialogs_, [&] { StartScanOfListed(); });
}

void FolderDialog::CancelOrClose() {
  if (CancelActiveScan()) {
    return;  // during a scan: the scan is cancelled, the dialog stays
  }
  QDialog::reject();
}

void FolderDialog::keyPressEvent(QKeyEvent* event) {
  // Return on a focused button presses it, as Space does.
  auto* button = qobject_cast<QPushButton*>(focusWidget());
  bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (button != nullptr && plain &&
      (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    event->accept();
    button->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void FolderDialog::reject() {
  // The window's close button and Escape cancel like the cancel button.
  CancelOrClose();
}

DocumentFormats FolderDialog::ListedFormats() const {
  return newerFormatsCheck_->isChecked() ? DocumentFormats::WithNewer : DocumentFormats::Classic;
}

Subfolders FolderDialog::ListedSubfolders() const {
  return subfoldersCheck_->isChecked() ? Subfolders::Included : Subfolders::Left;
}

std::string FolderDialog::EmptyFolderMessageOfListed() const {
  std::size_t newer = 0;
  if (ListedFormats() == DocumentFormats::Classic) {
    try {
      newer = ListDocumentFiles(FileSystemBytes(listDirectory_), DocumentFormats::WithNewer,
                                ListedSubfolders())
                  .size();
    } catch (const std::exception&) {
      // A folder that cannot be read holds none that the user could list.
    }
  }
  return EmptyFolderMessage(listDirectory_.toStdString(), ListedFormats(), newer, kHowToListNewer);
}

bool FolderDialog::ReadNewerFormatsSetting() {
  // A first start (no settings file yet) reads today's documents too, so a
  // folder of .docx is not empty, and keeps that as the choice. A settings
  // file that holds the choice keeps it; one an older version wrote
  // without it lists the classic documents, as it did.
  if (!std::filesystem::exists(paths_.SettingsFile())) {
    widgets::WriteSettingInteger(dialogs_, paths_.SettingsFile(), kSection, kNewerFormatsKey, 1);
    return true;
  }
  return widgets::ReadSettingInteger(paths_.SettingsFile(), kSection, kNewerFormatsKey, 0) == 1;
}

void FolderDialog::NewerFormatsToggled(bool on) {
  ShowHints();
  ShowDirectory(listDirectory_);
  widgets::WriteSettingInteger(dialogs_, paths_.SettingsFile(), kSection, kNewerFormatsKey,
                               on ? 1 : 0);
}

void FolderDialog::SubfoldersToggled(bool on) {
  ShowDirectory(listDirectory_);
  widgets::WriteSettingInteger(dialogs_, paths_.SettingsFile(), kSection, kSubfoldersKey,
                               on ? 1 : 0);
}

bool FolderDialog::CancelActiveScan() {
  if (!Scanning()) {
    return false;
  }
  scan_->task->Cancel();  // its thread ends after the file it is on
  EndScan(true);
  return true;
}

}  // namespace catalogue
