#include "app/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/core/ColumnWidths.h"
#include "app/core/ListGrid.h"
#include "app/ui/DocumentTableModel.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/ui/FolderDialog.h"
#include "commands/core/GridRows.h"
#include "commands/core/GridSort.h"
#include "commands/core/RowSearch.h"
#include "commands/ui/RowEditDialog.h"
#include "commands/ui/TitleDialog.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/qt/Desktop.h"
#include "platform/text/Cp932.h"
#include "platform/version/ProgramVersion.h"
#include "widgets/ApplicationTitle.h"
#include "widgets/Colors.h"
#include "widgets/DesktopOpen.h"
#include "widgets/Dialogs.h"
#include "widgets/FindBar.h"
#include "widgets/FontFit.h"
#include "widgets/FrozenColumnTable.h"
#include "widgets/GradientButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/IconButton.h"
#include "widgets/ManualWindow.h"
#include "widgets/PathChecks.h"
#include "widgets/SettingValues.h"
#include "widgets/SkippedFiles.h"
#include "widgets/WindowPlacement.h"

namespace app {

namespace {

constexpr const char* kSection = "fquillmark_wd";
// The CSV type chosen last in the save dialog, in the order it offers them.
constexpr const char* kCsvTypeKey = "csv_type";
// The folder of the last CSV export, where the next one is offered.
constexpr const char* kCsvFolderKey = "csv_folder";
constexpr int kCsvShiftJis = 0;
constexpr int kCsvUtf8 = 1;
constexpr int kDesignedWidth = 1272;
constexpr int kDesignedHeight = 942;
constexpr widgets::ColorRef kBandColor = 7099731;     // RGB 83, 85, 108
constexpr widgets::ColorRef kGradientEnd = 10652814;  // the end of the top band's box
constexpr int kWidthStep = 2;
// The folder and report title the list file was last written with.
constexpr const char* kListFolderKey = "list_folder";
constexpr const char* kListTitleKey = "list_title";
// A list longer than this is written a moment after the last of several
// quick changes, not after each: one write of it takes tens of milliseconds.
constexpr int kRowsWrittenAtOnce = 10000;
constexpr int kListWriteDelayMs = 300;
// The caption of the program's one-button notices.
QString ConfirmCaption() {
  return QStringLiteral("確認");
}
// The commands that change the list, in the menus and the pop-up menu.
constexpr const char* kListCommandNames[] = {"N21", "N19", "N22", "N23",
                                             "N31", "N32", "N33", "N34"};

QLabel* BandLabel(const char* name, int pixelSize, const QColor& color) {
  auto* label = new QLabel;
  label->setObjectName(QString::fromLatin1(name));
  QFont f = label->font();
  f.setPixelSize(pixelSize);
  f.setBold(true);
  label->setFont(f);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, color);
  label->setPalette(p);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

}  // namespace

MainWindow::MainWindow(const platform::ProgramPaths& paths, widgets::Dialogs& dialogs,
                       platform::Desktop& desktop, QWidget* parent)
    : QMainWindow(parent),
      paths_(paths),
      dialogs_(dialogs),
      desktop_(desktop),
      documents_(kListGridStartRows - 1) {
  setObjectName(QStringLiteral("fquillmark_wd"));
  setWindowTitle(widgets::ApplicationTitle() + QStringLiteral("-Fernhollow-"));
  BuildBands();
  BuildMenus();
  grid_->SetPopupMenu(rowMenu_);
  connect(grid_, &widgets::FrozenColumnTable::editRequested, this, &MainWindow::EditSelectedRow);
  connect(grid_, &widgets::FrozenColumnTable::rowDropped, this, &MainWindow::MoveDraggedRow);
  connect(grid_, &widgets::FrozenColumnTable::headingClicked, this, &MainWindow::SortByHeading);
  folderAndTitle_.OnChange([this] { ShowFolderAndTitle(); });
  listWriter_ = new QTimer(this);
  listWriter_->setSingleShot(true);
  listWriter_->setInterval(kListWriteDelayMs);
  connect(listWriter_, &QTimer::timeout, this, &MainWindow::WriteListNow);
  setAcceptDrops(true);
  widgets::RestoreWindowGeometry(*this, paths_.SettingsFile(), kSection, kDesignedWidth,
                                 kDesignedHeight);
}

MainWindow::~MainWindow() {
  widgets::RunReported(
      dialogs_, [&] { widgets::SaveWindowGeometry(*this, paths_.SettingsFile(), kSection); });
  // The grid and its model go before the list they read, a member that
  // goes before the window's children do.
  delete grid_;
  delete model_;
}

void MainWindow::BuildBands() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  // Top band: emblem, product name, a gradient box and the maker's name.
  titleBand_ = new widgets::GradientPanel;
  titleBand_->setObjectName(QStringLiteral("GradPan1"));
  titleBand_->SetColors(QColor(235, 240, 250), QColor(205, 212, 230));
  auto* top = new QHBoxLayout(titleBand_);
  top->setContentsMargins(6, 0, 0, 0);
  top->setSpacing(8);
  auto* icon = new widgets::IconButton(widgets::ProgramEmblem(28));
  icon->setObjectName(QStringLiteral("IconButton1"));
  icon->setAccessibleName(widgets::ApplicationTitle());
  top->addWidget(icon);
  top->addWidget(BandLabel("Label1", 16, QColor(0, 0, 255)));
  static_cast<QLabel*>(top->itemAt(1)->widget())->setText(widgets::ApplicationTitle());
  auto* pjpl = new widgets::GradientPanel;
  pjpl->setObjectName(QStringLiteral("pjpl"));
  pjpl->SetHorizontal(true);
  pjpl->SetColors(QColor(205, 212, 230), widgets::ToQColor(kGradientEnd));
  top->addWidget(pjpl, 1);
  auto* maker = new widgets::GradientPanel;
  maker->setObjectName(QStringLiteral("GradPan3"));
  maker->setFixedWidth(248);
  maker->SetColors(widgets::ToQColor(kGradientEnd), QColor(60, 62, 90));
  maker->SetCaption(QStringLiteral("Fernhollow"));
  maker->SetCaptionStyle(Qt::white, 16, true, Qt::AlignRight | Qt::AlignVCenter);
  auto* makerLayout = new QHBoxLayout(maker);
  makerLayout->setContentsMargins(6, 0, 0, 0);
  auto* makerIcon = new widgets::IconButton(widgets::ProgramEmblem(24));
  makerIcon->setObjectName(QStringLiteral("IconButton8"));
  makerIcon->setAccessibleName(QStringLiteral("Fernhollow"));
  makerLayout->addWidget(makerIcon);
  makerLayout->addStretch();
  top->addWidget(maker);
  widgets::FixHeightForContents(*titleBand_, 35);
  layout->addWidget(titleBand_);

  // Second band: folder button and label, report title.
  folderBand_ = new widgets::GradientPanel;
  folderBand_->setObjectName(QStringLiteral("GradPan2"));
  folderBand_->SetColors(widgets::ToQColor(kBandColor), widgets::ToQColor(kBandColor));
  auto* band = new QHBoxLayout(folderBand_);
  band->setContentsMargins(4, 0, 4, 0);
  band->setSpacing(8);
  auto* usersel = new QWidget;
  usersel->setObjectName(QStringLiteral("usersel_Panel"));
  auto* userselLayout = new QHBoxLayout(usersel);
  userselLayout->setContentsMargins(0, 0, 0, 0);
  userselLayout->setSpacing(8);
  folderButton_ = new widgets::GradientButton(QStringLiteral("フォルダー指定"));
  folderButton_->setObjectName(QStringLiteral("GradBtn1"));
  widgets::FixSizeForCaption(*folderButton_, {83, 17}, folderButton_->text());
  folderButton_->setFocusPolicy(Qt::NoFocus);
  connect(folderButton_, &QPushButton::clicked, this, &MainWindow::ChooseFolder);
  userselLayout->addWidget(folderButton_);
  folderLabel_ = BandLabel("WKINDPL", 16, Qt::white);
  userselLayout->addWidget(folderLabel_, 1);
  band->addWidget(usersel, 1);
  titleLabel_ = BandLabel("title", 15, Qt::white);
  titleLabel_->setFixedWidth(336);
  band->addWidget(titleLabel_);
  widgets::FixHeightForContents(*folderBand_, 23);
  layout->addWidget(folderBand_);

  auto* spacer = new QWidget;
  spacer->setObjectName(QStringLiteral("Panel1"));
  spacer->setFixedHeight(19);
  layout->addWidget(spacer);

  BuildGrid(layout);
  setCentralWidget(central);

  statusBar_ = new QStatusBar;
  statusBar_->setObjectName(QStringLiteral("StatusBar1"));
  countLabel_ = new QLabel;
  countLabel_->setObjectName(QStringLiteral("DocumentCount"));
  unreadableLabel_ = new QLabel;
  unreadableLabel_->setObjectName(QStringLiteral("UnreadableCount"));
  statusBar_->addPermanentWidget(unreadableLabel_);
  statusBar_->addPermanentWidget(countLabel_);
  setStatusBar(statusBar_);
}

void MainWindow::BuildGrid(QBoxLayout* layout) {
  model_ = new DocumentTableModel(documents_, this);
  grid_ = new widgets::FrozenColumnTable(kListGridFrozenColumns);
  grid_->setObjectName(QStringLiteral("StrColGrid1"));
  grid_->setAccessibleName(QStringLiteral("文書の一覧"));
  grid_->setModel(model_);
  grid_->SetHeadingColors(widgets::ToQColor(kFixedCellColor), Qt::white);
  std::vector<int> widths = DesignedColumnWidths();
  for (int col = 0; col < kListGridColumns; ++col) {
    grid_->SetColumnWidth(col, widths[static_cast<std::size_t>(col)]);
  }
  FitRowsToFont();
  layout->addWidget(grid_, 1);
  findBar_ = new widgets::FindBar;
  layout->addWidget(findBar_);
  connect(findBar_, &widgets::FindBar::findNext, this, &MainWindow::FindNextRow);
  connect(findBar_, &widgets::FindBar::closed, grid_, [this] { grid_->setFocus(); });
}

void MainWindow::SortRows(int column, bool ascending) {
  if (!listOpen_) {
    return;
  }
  model_->ListAboutToChange();
  ListChanged(commands::SortChange(documents_, column, ascending), 0, {column, ascending});
}

void MainWindow::SortByHeading(int column) {
  if (!listOpen_) {
    // The heading shows the list's sort as it is: a click sorted nothing.
    grid_->ShowSortIndicator(sort_.column, sort_.ascending);
    return;
  }
  SortRows(column, column == sort_.column ? !sort_.ascending : true);
}

void MainWindow::ListChanged(commands::ListHistory::Change change, int selected,
                             commands::SortState sort) {
  change.sortBefore = sort_;
  change.sortAfter = sort;
  history_.Record(std::move(change));
  AfterListChange({selected, {}, sort});
}

void MainWindow::AfterListChange(const commands::ListHistory::Step& step) {
  sort_ = step.sort;
  ShowList(step.row, step.rows);
  SaveList();
}

void MainWindow::ShowList(std::optional<int> current, const std::vector<int>& rows) {
  model_->ListChanged();
  if (current) {
    grid_->SelectRows(*current, rows.empty() ? std::vector<int>{*current} : rows);
  }
  grid_->ShowSortIndicator(sort_.column, sort_.ascending);
  RefreshGrid();
  ShowCount();
  EnableListCommands();
}

void MainWindow::FitRowsToFont() {
  grid_->SetRowHeight(ListGridRowHeight(QFontMetrics(grid_->font()).lineSpacing()));
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::FontChange && grid_ != nullptr) {
    FitRowsToFont();  // the desktop's font changed while the program runs
  }
}

void MainWindow::ShowCount() {
  std::size_t documents = 0;
  std::size_t unreadable = 0;
  for (int row = 0; row < documents_.RowCount(); ++row) {
    if (documents_.HoldsDocument(row)) {
      ++documents;
    } else if (documents_.FromUnreadableFile(row)) {
      ++unreadable;
    }
  }
  countLabel_->setText(listOpen_ ? QStringLiteral("%1 件").arg(documents) : QString());
  unreadableLabel_->setText(listOpen_ && unreadable > 0
                                ? QStringLiteral("読み取れなかった文書 %1 件").arg(unreadable)
                                : QString());
}

void MainWindow::NameUnreadableRows() {
  if (folderDialog_ == nullptr) {
    return;
  }
  const auto& files = folderDialog_->ScannedFiles();
  for (std::size_t i = 0; i < files.size() && i < static_cast<std::size_t>(documents_.RowCount());
       ++i) {
    int row = static_cast<int>(i);
    if (documents_.FromUnreadableFile(row) && !documents_.HoldsDocument(row)) {
      documents_.NoteUnreadable(row, files[i].name, files[i].reason);
    }
  }
}

void MainWindow::EnableListCommands() {
  Item(QStringLiteral("Undo"))->setEnabled(history_.CanUndo());
  Item(QStringLiteral("Redo"))->setEnabled(history_.CanRedo());
  // Until a list is scanned or opened the grid's blank rows are no list:
  // a command on them would write them over the list file kept from
  // before, which 前回の一覧を開く brings back.
  for (const char* name : kListCommandNames) {
    Item(QString::fromLatin1(name))->setEnabled(listOpen_);
  }
  sortMenu_->setEnabled(listOpen_);
}

void MainWindow::UndoListChange() {
  if (!history_.CanUndo()) {
    return;
  }
  model_->ListAboutToChange();
  if (std::optional<commands::ListHistory::Step> step = history_.Undo(documents_)) {
    AfterListChange(*step);
  }
}

void MainWindow::RedoListChange() {
  if (!history_.CanRedo()) {
    return;
  }
  model_->ListAboutToChange();
  if (std::optional<commands::ListHistory::Step> step = history_.Redo(documents_)) {
    AfterListChange(*step);
  }
}

void MainWindow::SaveList() {
  if (documents_.RowCount() > kRowsWrittenAtOnce) {
    listWriter_->start();  // restarted by each change: one write after the last
    return;
  }
  WriteListNow();
}

void MainWindow::WriteListNow() {
  listWriter_->stop();
  if (!listOpen_) {
    return;  // the blank start-up rows never replace the list file
  }
  widgets::RunReported(
      dialogs_, [&] { catalogue::WriteListFile(paths_.ListFile(), documents_.ListLines(';')); });
}

void MainWindow::RememberListFolderAndTitle() {
  widgets::WriteSettingText(dialogs_, paths_.SettingsFile(), kSection, kListFolderKey,
                            folderAndTitle_.Folder());
  widgets::WriteSettingText(dialogs_, paths_.SettingsFile(), kSection, kListTitleKey,
                            folderAndTitle_.Title());
}

void MainWindow::OpenLastList() {
  if (!QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(paths_.ListFile())))) {
    Inform(QStringLiteral("前回の一覧はありません"));
    return;
  }
  if (listWriter_->isActive()) {
    WriteListNow();  // the changes made to the list shown, first
  }
  if (!ReadListFile()) {
    return;  // said; the list shown stays as it was
  }
  folderAndTitle_.SetFolder(
      widgets::ReadSettingText(paths_.SettingsFile(), kSection, kListFolderKey));
  folderAndTitle_.SetTitle(
      widgets::ReadSettingText(paths_.SettingsFile(), kSection, kListTitleKey));
  history_.Clear();
  listOpen_ = true;
  sort_ = {};
  ShowList(0);
}

bool MainWindow::ReadListFile() {
  // Read aside and taken whole: a file that cannot be read leaves the list
  // shown as it was, never half replaced.
  catalogue::DocumentList read(documents_.RowCount());
  if (!widgets::RunReported(dialogs_, [&] { read.Load(paths_.ListFile()); })) {
    return false;
  }
  model_->ListAboutToChange();
  documents_ = std::move(read);
  return true;
}

int MainWindow::SelectedRow() const {
  return grid_->CurrentRow();
}

std::vector<int> MainWindow::ColumnWidths() const {
  std::vector<int> widths;
  for (int col = 0; col < kListGridColumns; ++col) {
    widths.push_back(grid_->columnWidth(col));
  }
  return widths;
}

void MainWindow::ShowFolderAndTitle() {
  folderLabel_->setText(QString::fromStdString(folderAndTitle_.Folder()));
  titleLabel_->setText(QString::fromStdString(folderAndTitle_.Title()));
}

void MainWindow::OpenSelectedDocument() {
  const std::string& name = documents_.Field(SelectedRow(), 0);
  if (name.empty() || folderAndTitle_.Folder().empty()) {
    Inform(QStringLiteral("開く文書はありません"));
    return;
  }
  QDir folder(QString::fromStdString(folderAndTitle_.Folder()));
  QString path = folder.filePath(QString::fromStdString(name));
  if (!QFileInfo::exists(path)) {
    // The recorded name is not always the name on disk (";" or control
    // characters, bytes that are not UTF-8): look for the one file recorded
    // so.
    std::string found = catalogue::FindDocumentByField(folderAndTitle_.Folder(), name);
    if (!found.empty()) {
      path = folder.filePath(QString::fromStdString(found));
    }
  }
  widgets::OpenOrTell(desktop_, dialogs_, QUrl::fromLocalFile(path), QStringLiteral("文書"));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFolder(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  QString folder = DroppedFolder(event->mimeData());
  if (folder.isEmpty() || folderDialog_ == nullptr) {
    return;
  }
  event->acceptProposedAction();
  // The dialog opens once the drop is over: the file manager waits for it.
  QTimer::singleShot(0, this, [this, folder] { OpenFolderDialogOn(folder); });
}

void MainWindow::OpenFolderDialogOn(const QString& path) {
  // Asked off the window's thread: a folder on a server that does not
  // answer is said, and the window goes on.
  QString folder = path;
  switch (widgets::ProbePath(path)) {
    case platform::PathKind::Folder: break;
    case platform::PathKind::File: folder = QFileInfo(path).absolutePath(); break;
    case platform::PathKind::NoAnswer:
      statusBar_->showMessage(widgets::WaitingForServerText() + QStringLiteral(" ") + path);
      return;
    case platform::PathKind::Missing:
      dialogs_.ShowError(QStringLiteral("フォルダーが見つかりません: ") + path);
      return;
  }
  if (folderDialog_ == nullptr) {
    return;
  }
  folderDialog_->OpenFolder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
  RunFolderCommand();
}

void MainWindow::TakeAnotherStart(const QString& folder) {
  if (isMinimized()) {
    showNormal();
  }
  show();
  raise();
  activateWindow();
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr) {
    modal->raise();
    modal->activateWindow();
  }
  if (folder.isEmpty()) {
    return;
  }
  if (modal == nullptr) {
    QTimer::singleShot(0, this, [this, folder] { OpenFolderDialogOn(folder); });
  } else if (modal == folderDialog_ && !folderDialog_->Scanning()) {
    folderDialog_->OpenFolder(folder);
  } else {
    // A print window, a question or a scan waits for the user: the folder
    // is left for later rather than scanned under it.
    statusBar_->showMessage(
        QStringLiteral("開いている画面を閉じてから、フォルダーを指定し直してください: ") + folder);
  }
}

QString MainWindow::DroppedFolder(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) {
    return {};
  }
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && widgets::ProbePath(url.toLocalFile()) == platform::PathKind::Folder) {
      return QDir::cleanPath(url.toLocalFile());
    }
  }
  return {};
}

QAction* MainWindow::Item(const QString& name) const {
  return findChild<QAction*>(name);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) {
    shown_ = true;
    StartWithEmptyList();
  }
}

void MainWindow::StartWithEmptyList() {
  // The grid starts empty and no folder is chosen, whatever an earlier run
  // left in the list file.
  folderAndTitle_.SetFolder({});
  std::vector<int> widths = DesignedColumnWidths();
  try {
    LoadColumnWidths(paths_.ColumnWidthFile(), widths);
  } catch (const std::exception& e) {
    widgets::NoteSkippedFile(paths_.ColumnWidthFile(), e.what());  // the designed widths stay
  }
  for (int col = 0; col < kListGridColumns; ++col) {
    grid_->SetColumnWidth(col, widths[static_cast<std::size_t>(col)]);
  }
  loadedWidths_ = ColumnWidths();
  model_->ListAboutToChange();
  documents_.EmptyAll();
  listOpen_ = false;
  sort_ = {};
  ShowList(std::nullopt);
  grid_->setFocus();
  // Working files that could not be read at start, told once.
  widgets::TellSkippedFiles(dialogs_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (listWriter_->isActive()) {
    WriteListNow();  // nothing of the list is left unwritten
  }
  // Closing is always allowed, even when the widths cannot be written; a
  // file that could not be read at start is left as it is.
  if (!widgets::WasSkipped(paths_.ColumnWidthFile())) {
    widgets::RunReported(dialogs_, [&] {
      SaveColumnWidthsMerged(paths_.ColumnWidthFile(), ColumnWidths(), loadedWidths_);
    });
  }
  event->accept();
}

void MainWindow::RunFolderCommand() {
  if (folderDialog_ == nullptr) {
    return;
  }
  if (listWriter_->isActive()) {
    WriteListNow();  // before the scan replaces the file
  }
  if (folderDialog_->exec() == QDialog::Accepted) {
    // Undo goes back to the scan and no further; the scan's list file
    // stays as the scan wrote it.
    history_.Clear();
    sort_ = {};
    RememberListFolderAndTitle();
    listOpen_ = ReadListFile();
    if (listOpen_) {
      NameUnreadableRows();
    } else {
      // The scan's list could not be read back (said): the grid is blank
      // and takes no command, so nothing writes over the scan's file.
      model_->ListAboutToChange();
      documents_.EmptyAll();
    }
    ShowList(0);
    return;
  }
  grid_->setFocus();
}

void MainWindow::ChooseFolder() {
  RunFolderCommand();
}
void MainWindow::Quit() {
  close();
}

void MainWindow::RefreshGrid() {
  grid_->viewport()->update();
  grid_->FrozenView()->viewport()->update();
  grid_->setFocus();
}

void MainWindow::Inform(const QString& text) {
  dialogs_.ShowInfoBox(text, ConfirmCaption());
}

void MainWindow::EditSelectedRow() {
  if (editDialog_ == nullptr || !listOpen_) {
    return;
  }
  if (!documents_.HoldsDocument(SelectedRow())) {
    Inform(QStringLiteral("編集するデータはありません"));
    return;
  }
  int row = SelectedRow();
  std::vector<std::string> before;
  for (int field = 0; field < static_cast<int>(catalogue::kRecordFieldCount); ++field) {
    before.push_back(documents_.Field(row, field));
  }
  editDialog_->SetRow(row);
  bool confirmed = editDialog_->exec() == QDialog::Accepted;
  if (!confirmed) {
    RefreshGrid();
    return;
  }
  ListChanged(commands::EditChange(documents_, row, std::move(before)), row, sort_);
}

void MainWindow::DeleteSelectedRows() {
  if (!listOpen_) {
    return;
  }
  std::vector<int> rows = grid_->SelectedRows();
  if (rows.empty() && SelectedRow() >= 0) {
    rows.push_back(SelectedRow());
  }
  if (rows.empty()) {
    return;
  }
  // One question for all of them, counting the documents among them (not
  // the blank rows); one row's names the document.
  std::size_t documents = 0;
  for (int row : rows) {
    if (documents_.HoldsDocument(row) || documents_.FromUnreadableFile(row)) {
      ++documents;
    }
  }
  QString question;
  if (rows.size() > 1 && documents > 0) {
    question = QStringLiteral("%1 件の文書を一覧から削除しますか？").arg(documents);
  } else if (rows.size() > 1) {
    question = QStringLiteral("選択中のデータを削除していいですか？");
  } else if (const std::string& name = documents_.Field(rows.front(), 0); !name.empty()) {
    question = QStringLiteral("『%1』を一覧から削除しますか？").arg(QString::fromStdString(name));
  } else {
    question = QStringLiteral("選択中のデータを削除していいですか？");
  }
  widgets::Dialogs::Answer answer =
      dialogs_.AskTwoChoices(question, QStringLiteral("実行"), QStringLiteral("キャンセル"));
  // Only 実行 deletes: キャンセル, Escape and the window's close button keep the rows.
  if (answer != widgets::Dialogs::Answer::First) {
    return;
  }
  model_->ListAboutToChange();
  commands::ListHistory::Change change = commands::DeleteRowsChange(documents_, std::move(rows));
  int selected = change.rowAfterRedo;
  ListChanged(std::move(change), selected, sort_);
}

void MainWindow::MoveSelected(bool up) {
  if (!listOpen_) {
    return;
  }
  int row = SelectedRow();
  int to = up ? row - 1 : row + 1;
  if (row < 0 || to < 0 || to >= documents_.RowCount()) {
    RefreshGrid();  // the first row goes no higher, the last no lower
    return;
  }
  // A row moved by hand: the order is the user's own, sorted by nothing.
  model_->ListAboutToChange();
  ListChanged(commands::MoveRowChange(documents_, row, to), to, {});
}

void MainWindow::MoveDraggedRow(int from, int to) {
  if (!listOpen_) {
    return;
  }
  if (from < 0 || to < 0 || from >= documents_.RowCount() || to >= documents_.RowCount() ||
      from == to) {
    return;
  }
  model_->ListAboutToChange();
  ListChanged(commands::MoveRowChange(documents_, from, to), to, {});
}

void MainWindow::MoveSelectedUp() {
  MoveSelected(true);
}
void MainWindow::MoveSelectedDown() {
  MoveSelected(false);
}

void MainWindow::EnterReportTitle() {
  // The title is kept with the list it belongs to; before a list is
  // scanned or opened it waits for it, and the list kept from before keeps
  // its own folder and title.
  if (titleDialog_ != nullptr && titleDialog_->exec() == QDialog::Accepted && listOpen_) {
    RememberListFolderAndTitle();
  }
}

void MainWindow::ChangeColumnWidth(int col, int delta) {
  grid_->SetColumnWidth(
      col, std::clamp(grid_->columnWidth(col) + delta, kMinColumnWidth, kMaxColumnWidth));
}

void MainWindow::WidenFileNameColumn() {
  ChangeColumnWidth(0, kWidthStep);
}
void MainWindow::NarrowFileNameColumn() {
  ChangeColumnWidth(0, -kWidthStep);
}
void MainWindow::WidenTitleColumn() {
  ChangeColumnWidth(1, kWidthStep);
}
void MainWindow::NarrowTitleColumn() {
  ChangeColumnWidth(1, -kWidthStep);
}

void MainWindow::ExportCsv() {
  // The type offered first is the one chosen last: Shift-JIS as the list
  // has always been written, or UTF-8 for current spreadsheet programs.
  int type =
      widgets::ReadSettingInteger(paths_.SettingsFile(), kSection, kCsvTypeKey, kCsvShiftJis);
  type = type == kCsvUtf8 ? kCsvUtf8 : kCsvShiftJis;
  QString name = dialogs_.GetSaveFileNameOfType(QStringLiteral("csv"),
                                                QStringLiteral("CSVファイル|*.csv|CSV UTF-8|*.csv"),
                                                OfferedCsvName(), type);
  if (name.isEmpty()) {
    return;
  }
  widgets::WriteSettingInteger(dialogs_, paths_.SettingsFile(), kSection, kCsvTypeKey, type);
  std::size_t changed = 0;
  std::optional<platform::ReadOnlyTarget> readOnly = widgets::AskToReplaceReadOnly(dialogs_, name);
  if (!readOnly) {
    return;
  }
  bool written = widgets::RunReported(dialogs_, [&] {
    std::string bytes;
    if (type == kCsvUtf8) {
      bytes = commands::CsvUtf8Text(documents_);
    } else {
      commands::ShiftJisCsv csv = commands::CsvShiftJisText(documents_);
      bytes = std::move(csv.bytes);
      changed = csv.valuesChanged;
    }
    platform::ReplacingFileWriter::ReplaceWith(QFile::encodeName(name).toStdString(), bytes,
                                               *readOnly);
  });
  if (written) {
    widgets::WriteSettingText(dialogs_, paths_.SettingsFile(), kSection, kCsvFolderKey,
                              QFileInfo(name).absolutePath().toStdString());
    // Said once, with the written file, only when characters were lost.
    QString said = QStringLiteral("CSVファイルへ出力しました。");
    if (changed > 0) {
      said +=
          QStringLiteral("\r\n") + QString::fromStdString(commands::LostCharactersMessage(changed));
    }
    Inform(said);
  }
}

QString MainWindow::OfferedCsvName() const {
  // In the folder of the last export (at first the home folder), named
  // after the folder listed and today's date: 「報告書_20261208.csv」.
  QString folder = QString::fromStdString(
      widgets::ReadSettingText(paths_.SettingsFile(), kSection, kCsvFolderKey));
  if (folder.isEmpty() || widgets::ProbePath(folder) != platform::PathKind::Folder) {
    folder = QDir::homePath();
  }
  QString listed = QFileInfo(QString::fromStdString(folderAndTitle_.Folder())).fileName();
  if (listed.isEmpty()) {
    listed = QStringLiteral("文書一覧");
  }
  return QDir(folder).filePath(listed + QLatin1Char('_') +
                               QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                               QStringLiteral(".csv"));
}

void MainWindow::CopySelectedRows() {
  std::vector<int> rows = grid_->SelectedRows();
  if (rows.empty() && SelectedRow() >= 0) {
    rows.push_back(SelectedRow());
  }
  desktop_.SetClipboardText(QString::fromStdString(commands::CsvText(documents_, rows)),
                            QString::fromStdString(commands::HtmlTable(documents_, rows)));
}

void MainWindow::OpenFindBar() {
  findBar_->Open();
}

void MainWindow::FindNextRow() {
  QString text = findBar_->Text();
  if (text.isEmpty()) {
    findBar_->Open();
    return;
  }
  std::optional<int> row = commands::FindRowHolding(documents_, text.toStdString(), SelectedRow());
  if (!row) {
    statusBar_->showMessage(QStringLiteral("「%1」を含む行はありません").arg(text));
    return;
  }
  statusBar_->clearMessage();
  grid_->SelectRows(*row, {*row});
}

void MainWindow::CopyToClipboard() {
  // The CSV text as it has always been, and the table for spreadsheets.
  desktop_.SetClipboardText(QString::fromStdString(commands::CsvText(documents_)),
                            QString::fromStdString(commands::HtmlTable(documents_)));
  Inform(QStringLiteral("クリップボードへ出力しました。"));
}

void MainWindow::OpenManual() {
  widgets::ShowManual(this, desktop_, dialogs_,
                      QFile::decodeName(QByteArray::fromStdString(paths_.Manual())));
}

void MainWindow::SendSupportMail() {
  widgets::OpenOrTell(desktop_, dialogs_, QUrl(QStringLiteral("mailto:") + SupportMail()),
                      QStringLiteral("メール"));
}
void MainWindow::OpenHomePage() {
  widgets::OpenOrTell(desktop_, dialogs_, QUrl(WebAddress()), QStringLiteral("ホームページ"));
}

void MainWindow::StartTextEditor() {
  QAction* item = Item(QStringLiteral("N5"));
  if (desktop_.ShiftHeld()) {
    // Shift shows the item's caption and gives it its shortcut for the run.
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)$"));
    dialogs_.ShowMessage(item->text().remove(accessKey));
    item->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    return;
  }
  if (!desktop_.StartTextEditor()) {
    dialogs_.ShowMessage(QStringLiteral(
        "テキストエディターを起動できませんでした。\r\n"
        "エディターが見つかりません (環境変数 VISUAL または EDITOR で指定できます)。"));
  }
}

void MainWindow::ShowMemory() {
  platform::MemoryStatus memory = desktop_.Memory();
  Inform(QStringLiteral("現在のメモリーは\r\nFree %1 / Total %2 Bytes")
             .arg(memory.availableBytes)
             .arg(memory.totalBytes));
}

void MainWindow::ShowScreenResolution() {
  QSize size = desktop_.ScreenSize();
  Inform(QStringLiteral("現在の画面解像度は\r\n%1×%2").arg(size.width()).arg(size.height()));
}

void MainWindow::PrintReport() {
  if (!listOpen_ || folderAndTitle_.Folder().empty()) {
    Inform(QStringLiteral("フォルダ－が指定されていません"));
    return;
  }
  // The rows as they stand, in the list file the print window reads.
  listWriter_->stop();
  bool written = widgets::RunReported(
      dialogs_, [&] { catalogue::WriteListFile(paths_.ListFile(), documents_.ListLines(',')); });
  if (!written || !printWindows_) {
    return;
  }
  std::unique_ptr<QDialog> window = printWindows_(*this);
  window->exec();
}

void MainWindow::ShowVersion() {
  Inform(QStringLiteral("ワードクイルマーク\r\nVersion") +
         QString::fromLatin1(platform::kProgramVersion));
}

}  // namespace app
