#include "app/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/core/ColumnWidths.h"
#include "app/core/ListGrid.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/ui/FolderDialog.h"
#include "commands/core/GridRows.h"
#include "commands/core/GridSort.h"
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
#include "widgets/GradientButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/IconButton.h"
#include "widgets/ManualWindow.h"
#include "widgets/SettingValues.h"
#include "widgets/SkippedFiles.h"
#include "widgets/StringGrid.h"
#include "widgets/WindowPlacement.h"

namespace app {

namespace {

constexpr const char* kSection = "fquillmark_wd";
// The CSV type chosen last in the save dialog, in the order it offers them.
constexpr const char* kCsvTypeKey = "csv_type";
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
const QString kSupportMail = QStringLiteral("support@fernhollow.example");
const QString kWebAddress = QStringLiteral("https://www.fernhollow.example/");
const QString kConfirm = QStringLiteral("確認");
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

MainWindow::MainWindow(const ProgramPaths& paths, widgets::Dialogs& dialogs,
                       platform::Desktop& desktop, QWidget* parent)
    : QMainWindow(parent),
      paths_(paths),
      dialogs_(dialogs),
      desktop_(desktop),
      documents_(kListGridStartRows - 1),
      gridCells_(documents_),
      gridData_(MakeListGrid(gridCells_)) {
  setObjectName(QStringLiteral("fquillmark_wd"));
  setWindowTitle(widgets::ApplicationTitle() + QStringLiteral("-Fernhollow-"));
  BuildBands();
  BuildMenus();
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
}

void MainWindow::BuildBands() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  // Top band: emblem, product name, a gradient box and the maker's name.
  titleBand_ = new widgets::GradientPanel;
  titleBand_->setObjectName(QStringLiteral("GradPan1"));
  titleBand_->setFixedHeight(35);
  titleBand_->SetColors(QColor(235, 240, 250), QColor(205, 212, 230));
  auto* top = new QHBoxLayout(titleBand_);
  top->setContentsMargins(6, 0, 0, 0);
  top->setSpacing(8);
  auto* icon = new widgets::IconButton(widgets::ProgramEmblem(28));
  icon->setObjectName(QStringLiteral("IconButton1"));
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
  makerLayout->addWidget(makerIcon);
  makerLayout->addStretch();
  top->addWidget(maker);
  layout->addWidget(titleBand_);

  // Second band: folder button and label, report title.
  folderBand_ = new widgets::GradientPanel;
  folderBand_->setObjectName(QStringLiteral("GradPan2"));
  folderBand_->setFixedHeight(23);
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
  folderButton_->setFixedSize(83, 17);
  folderButton_->setFocusPolicy(Qt::NoFocus);
  connect(folderButton_, &QPushButton::clicked, this, &MainWindow::ChooseFolder);
  userselLayout->addWidget(folderButton_);
  folderLabel_ = BandLabel("WKINDPL", 16, Qt::white);
  userselLayout->addWidget(folderLabel_, 1);
  band->addWidget(usersel, 1);
  titleLabel_ = BandLabel("title", 15, Qt::white);
  titleLabel_->setFixedWidth(336);
  band->addWidget(titleLabel_);
  layout->addWidget(folderBand_);

  auto* spacer = new QWidget;
  spacer->setObjectName(QStringLiteral("Panel1"));
  spacer->setFixedHeight(19);
  layout->addWidget(spacer);

  grid_ = new widgets::StringGrid(gridData_);
  grid_->setObjectName(QStringLiteral("StrColGrid1"));
  grid_->SetFixedColor(widgets::ToQColor(kFixedCellColor));
  layout->addWidget(grid_, 1);
  setCentralWidget(central);

  statusBar_ = new QStatusBar;
  statusBar_->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(statusBar_);
}

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const QString& caption,
                             void (MainWindow::*handler)(), const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  if (handler != nullptr) {
    connect(action, &QAction::triggered, this, handler);
  }
  return action;
}

void MainWindow::BuildMenus() {
  using W = MainWindow;
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  AddItem(file, "N1", QStringLiteral("フォルダー指定"), &W::ChooseFolder);
  AddItem(file, "OpenLastList", QStringLiteral("前回の一覧を開く"), &W::OpenLastList,
          QKeySequence(Qt::CTRL | Qt::Key_O));
  file->addSeparator();
  AddItem(file, "N8", QStringLiteral("印　刷"), &W::PrintReport,
          QKeySequence(Qt::CTRL | Qt::Key_P));
  QAction* exit = AddItem(file, "Exit1", QStringLiteral("終  了"), &W::Quit);
  exit->setShortcuts({QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_Q)});

  QMenu* edit = menuBar()->addMenu(QStringLiteral("編　集(&E)"));
  AddItem(edit, "Undo", QStringLiteral("元に戻す"), &W::UndoListChange,
          QKeySequence(Qt::CTRL | Qt::Key_Z))
      ->setEnabled(false);
  QAction* redo = AddItem(edit, "Redo", QStringLiteral("やり直し"), &W::RedoListChange);
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  redo->setEnabled(false);
  edit->addSeparator();
  AddItem(edit, "N21", QStringLiteral("選択中のデータを編集する"), &W::EditSelectedRow);
  edit->addSeparator();
  AddItem(edit, "N19", QStringLiteral("選択中のデータを削除する"), &W::DeleteSelectedRow,
          QKeySequence(Qt::Key_Delete));
  AddItem(edit, "N22", QStringLiteral("選択中のデータを上へ移動する"), &W::MoveSelectedUp);
  AddItem(edit, "N23", QStringLiteral("選択中のデータを下へ移動する"), &W::MoveSelectedDown);
  edit->addSeparator();
  AddItem(edit, "N30", QStringLiteral("タイトル入力"), &W::EnterReportTitle);
  edit->addSeparator();
  sortMenu_ = BuildSortMenu();
  edit->addMenu(sortMenu_);

  QMenu* view = menuBar()->addMenu(QStringLiteral("表　示(&D)"));
  AddItem(view, "N14", QStringLiteral("ファイル名列の幅を広げる"), &W::WidenFileNameColumn);
  AddItem(view, "N15", QStringLiteral("ファイル名列の幅を縮める"), &W::NarrowFileNameColumn);
  view->addSeparator();
  AddItem(view, "N17", QStringLiteral("タイトル列の幅を広げる"), &W::WidenTitleColumn);
  AddItem(view, "N18", QStringLiteral("タイトル列の幅を縮める"), &W::NarrowTitleColumn);

  QMenu* output = menuBar()->addMenu(QStringLiteral("外部出力(&O)"));
  AddItem(output, "CSV1", QStringLiteral("CSV出力"), &W::ExportCsv);
  AddItem(output, "N10", QStringLiteral("クリップボード出力"), &W::CopyToClipboard,
          QKeySequence(Qt::CTRL | Qt::Key_C));

  QMenu* info = menuBar()->addMenu(QStringLiteral("Information(&I)"));
  AddItem(info, "N2", QStringLiteral("取扱説明書"), &W::OpenManual, QKeySequence(Qt::Key_F1));
  info->addSeparator();
  AddItem(info, "N3", QStringLiteral("問い合わせメールを送る(mailto:") + kSupportMail + ")",
          &W::SendSupportMail);
  AddItem(info, "N4", QStringLiteral("ホームページへアクセスする(") + kWebAddress + ")",
          &W::OpenHomePage);
  info->addSeparator();
  AddItem(info, "N5", QStringLiteral("メモ帳を起動"), &W::StartTextEditor);
  AddItem(info, "N6", QStringLiteral("メモリ－確認"), &W::ShowMemory);
  AddItem(info, "N7", QStringLiteral("画面の解像度確認"), &W::ShowScreenResolution);
  info->addSeparator();
  AddItem(info, "N28", QStringLiteral("バージョン情報"), &W::ShowVersion);

  rowMenu_ = new QMenu(this);
  rowMenu_->setObjectName(QStringLiteral("PopupMenu1"));
  AddItem(rowMenu_, "N31", QStringLiteral("選択中のデータを編集する"), &W::EditSelectedRow);
  AddItem(rowMenu_, "N32", QStringLiteral("選択中のデータを削除する"), &W::DeleteSelectedRow);
  AddItem(rowMenu_, "N33", QStringLiteral("選択中のデータを上へ移動する"), &W::MoveSelectedUp);
  AddItem(rowMenu_, "N34", QStringLiteral("選択中のデータを下へ移動する"), &W::MoveSelectedDown);
  rowMenu_->addSeparator();
  AddItem(rowMenu_, "OpenDocument", QStringLiteral("文書を開く"), &W::OpenSelectedDocument);
  grid_->SetPopupMenu(rowMenu_);
  connect(grid_, &widgets::StringGrid::doubleClicked, this, &W::EditSelectedRow);
  connect(grid_, &widgets::StringGrid::rowDropped, this, &W::MoveDraggedRow);
  connect(grid_, &widgets::StringGrid::headingClicked, this, &W::SortByHeading);
}

QMenu* MainWindow::BuildSortMenu() {
  auto* sort = new QMenu(QStringLiteral("並べ替え(&S)"), this);
  sort->setObjectName(QStringLiteral("SortMenu"));
  for (bool ascending : {true, false}) {
    QMenu* order =
        sort->addMenu(ascending ? QStringLiteral("昇順(&A)") : QStringLiteral("降順(&D)"));
    for (int col = 0; col < kListGridColumns; ++col) {
      QAction* action = order->addAction(QString::fromUtf8(catalogue::DocumentList::Heading(col)));
      action->setObjectName(
          QStringLiteral("%1%2")
              .arg(ascending ? QStringLiteral("SortAscending") : QStringLiteral("SortDescending"))
              .arg(col));
      connect(action, &QAction::triggered, this,
              [this, col, ascending] { SortRows(col, ascending); });
    }
  }
  return sort;
}

void MainWindow::SortRows(int column, bool ascending) {
  if (!listOpen_) {
    return;
  }
  sortedColumn_ = column;
  sortedAscending_ = ascending;
  ListChanged(commands::SortChange(documents_, column, ascending), 0);
}

void MainWindow::SortByHeading(int column) {
  if (!listOpen_) {
    return;
  }
  SortRows(column, column == sortedColumn_ ? !sortedAscending_ : true);
}

void MainWindow::ListChanged(commands::ListHistory::Change change, int selected) {
  history_.Record(std::move(change));
  AfterListChange(selected);
}

void MainWindow::AfterListChange(std::optional<int> selected) {
  ShowList(selected);
  SaveList();
}

void MainWindow::ShowList(std::optional<int> selected) {
  if (selected) {
    gridData_.SelectRow(ListGridCells::GridRow(*selected));
  }
  RefreshGrid();
  EnableListCommands();
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
  if (history_.CanUndo()) {
    AfterListChange(history_.Undo(documents_));
  }
}

void MainWindow::RedoListChange() {
  if (history_.CanRedo()) {
    AfterListChange(history_.Redo(documents_));
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
  bool loaded = widgets::RunReported(dialogs_, [&] { documents_.Load(paths_.ListFile()); });
  if (!loaded) {
    return;
  }
  folderAndTitle_.SetFolder(
      widgets::ReadSettingText(paths_.SettingsFile(), kSection, kListFolderKey));
  folderAndTitle_.SetTitle(
      widgets::ReadSettingText(paths_.SettingsFile(), kSection, kListTitleKey));
  history_.Clear();
  listOpen_ = true;
  ShowList(0);
}

int MainWindow::SelectedRow() const {
  return ListGridCells::ListRow(gridData_.SelectionTop());
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
  QFileInfo info(path);
  QString folder = info.isDir() ? path : info.absolutePath();
  if (!QFileInfo(folder).isDir()) {
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
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir()) {
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
  try {
    LoadColumnWidths(paths_.ColumnWidthFile(), gridData_);
  } catch (const std::exception& e) {
    widgets::NoteSkippedFile(paths_.ColumnWidthFile(), e.what());  // the designed widths stay
  }
  loadedWidths_ = ColumnWidthsOf(gridData_);
  documents_.EmptyAll();
  listOpen_ = false;
  EnableListCommands();
  grid_->Refresh();
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
      SaveColumnWidthsMerged(paths_.ColumnWidthFile(), gridData_, loadedWidths_);
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
    widgets::RunReported(dialogs_, [&] { documents_.Load(paths_.ListFile()); });
    // Undo goes back to the scan and no further; the scan's list file
    // stays as the scan wrote it.
    history_.Clear();
    listOpen_ = true;
    RememberListFolderAndTitle();
    ShowList(std::nullopt);
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
  grid_->Refresh();
  grid_->EnsureSelectionVisible();
  grid_->setFocus();
}

void MainWindow::Inform(const QString& text) {
  dialogs_.ShowInfoBox(text, kConfirm);
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
  grid_->Refresh();
  if (!confirmed) {
    return;
  }
  ListChanged(commands::EditChange(documents_, row, std::move(before)), row);
}

void MainWindow::DeleteSelectedRow() {
  if (!listOpen_) {
    return;
  }
  int row = SelectedRow();
  const std::string& name = documents_.Field(row, 0);
  // The question names the document it is about.
  QString question =
      name.empty()
          ? QStringLiteral("選択中のデータを削除していいですか？")
          : QStringLiteral("『%1』を一覧から削除しますか？").arg(QString::fromStdString(name));
  widgets::Dialogs::Answer answer =
      dialogs_.AskTwoChoices(question, QStringLiteral("実行"), QStringLiteral("キャンセル"));
  // Only 実行 deletes: キャンセル, Escape and the window's close button keep the row.
  if (answer != widgets::Dialogs::Answer::First) {
    return;
  }
  commands::ListHistory::Change change = commands::DeleteRowsChange(documents_, row, row);
  int selected = change.rowAfterRedo;
  ListChanged(std::move(change), selected);
}

void MainWindow::MoveSelected(bool up) {
  if (!listOpen_) {
    return;
  }
  int row = SelectedRow();
  int to = up ? row - 1 : row + 1;
  if (to < 0 || to >= documents_.RowCount()) {
    RefreshGrid();  // the first row goes no higher, the last no lower
    return;
  }
  ListChanged(commands::MoveRowChange(documents_, row, to), to);
}

void MainWindow::MoveDraggedRow(int from, int to) {
  if (!listOpen_) {
    return;
  }
  int fromRow = ListGridCells::ListRow(from);
  int toRow = ListGridCells::ListRow(to);
  if (fromRow < 0 || toRow < 0 || fromRow >= documents_.RowCount() ||
      toRow >= documents_.RowCount() || fromRow == toRow) {
    return;
  }
  ListChanged(commands::MoveRowChange(documents_, fromRow, toRow), toRow);
}

void MainWindow::MoveSelectedUp() {
  MoveSelected(true);
}
void MainWindow::MoveSelectedDown() {
  MoveSelected(false);
}

void MainWindow::EnterReportTitle() {
  if (titleDialog_ != nullptr && titleDialog_->exec() == QDialog::Accepted) {
    RememberListFolderAndTitle();
  }
}

void MainWindow::ChangeColumnWidth(int col, int delta) {
  gridData_.SetColWidth(
      col, std::clamp(gridData_.ColWidth(col) + delta, kMinColumnWidth, kMaxColumnWidth));
  grid_->Refresh();
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
                                                lastCsvName_, type);
  if (name.isEmpty()) {
    return;
  }
  lastCsvName_ = name;
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
    // Said once, with the written file, only when characters were lost.
    QString said = QStringLiteral("CSVファイルへ出力しました。");
    if (changed > 0) {
      said +=
          QStringLiteral("\r\n") + QString::fromStdString(commands::LostCharactersMessage(changed));
    }
    Inform(said);
  }
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
  widgets::OpenOrTell(desktop_, dialogs_, QUrl(QStringLiteral("mailto:") + kSupportMail),
                      QStringLiteral("メール"));
}
void MainWindow::OpenHomePage() {
  widgets::OpenOrTell(desktop_, dialogs_, QUrl(kWebAddress), QStringLiteral("ホームページ"));
}

void MainWindow::StartTextEditor() {
  QAction* item = Item(QStringLiteral("N5"));
  if (desktop_.ShiftHeld()) {
    // Shift shows the item's caption and gives it its shortcut for the run.
    dialogs_.ShowMessage(item->text());
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
