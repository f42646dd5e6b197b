#include "printing/ui/PrintWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>
#include <iterator>

#include "layout/core/StyleFile.h"
#include "layout/qt/QtSurface.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/qt/Desktop.h"
#include "platform/text/Cp932.h"
#include "printing/core/PageDrawing.h"
#include "printing/core/PaperSizes.h"
#include "printing/core/PdfNames.h"
#include "printing/core/PrintRun.h"
#include "printing/core/Printer.h"
#include "printing/ui/PreviewArea.h"
#include "widgets/ApplicationTitle.h"
#include "widgets/DesktopOpen.h"
#include "widgets/Dialogs.h"
#include "widgets/FontFit.h"
#include "widgets/GradientButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/ManualWindow.h"
#include "widgets/PathChecks.h"
#include "widgets/SettingValues.h"
#include "widgets/SkippedFiles.h"
#include "widgets/WindowPlacement.h"

namespace printing {

namespace {

using layout::Fixed;

constexpr const char* kSection = "fdataprint";
constexpr int kDesignedWidth = 989;
constexpr int kDesignedHeight = 735;
constexpr int kMinZoom = 5;
constexpr int kMaxZoom = 200;
constexpr const char* kStyleFolder = "style";
constexpr const char* kBackupFile = "backup.sle";
constexpr const char* kPdfFolderKey = "pdffolder";
// The style loaded last, offered again when the window opens.
constexpr const char* kLastStyleKey = "last_style";
const QColor kDeskColor(128, 130, 140);    // around the sheet
const QColor kMarginColor(205, 210, 222);  // the sheet outside the printable area
constexpr int kScrollStep = 10;            // pixels per scroll-bar arrow click

std::string Bytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}
QString Path(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}
QPushButton* Button(const QString& caption, const char* name, QWidget* parent = nullptr) {
  auto* button = new widgets::GradientButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);  // Enter belongs to the offset boxes
  return button;
}

}  // namespace

PrintWindow::PrintWindow(PrintWindowServices services, QWidget* parent)
    : QDialog(parent),
      s_(std::move(services)),
      list_(s_.paths->ListFile()),
      state_(
          [this] {
            BindingData data;
            data.title = Title();
            data.folder = Folder();
            // Read once, never copied per page.
            data.sharedLines = s_.documents != nullptr ? &documentLines_ : &list_.Lines();
            return data;
          },
          *s_.clock) {
  setObjectName(QStringLiteral("fdataprint"));
  setWindowTitle(widgets::ApplicationTitle());
  if (s_.documents != nullptr) {
    documentLines_ = PrintedLines(*s_.documents);
  }
  BuildWindow();
  BuildMenus();
  screenX_ = Fixed::FromInt(logicalDpiX());
  screenY_ = Fixed::FromInt(logicalDpiY());
  widgets::RestoreWindowGeometry(*this, s_.paths->SettingsFile(), kSection, kDesignedWidth,
                                 kDesignedHeight);
}

PrintWindow::~PrintWindow() {
  delete designer_;  // it shows the state, which goes with this window
  widgets::RunReported(
      *s_.dialogs, [&] { widgets::SaveWindowGeometry(*this, s_.paths->SettingsFile(), kSection); });
}

void PrintWindow::BuildWindow() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* strip = new widgets::GradientPanel;
  strip->SetColors(QColor(235, 240, 250), QColor(120, 122, 150));
  strip->SetCaption(widgets::ApplicationTitle() + QStringLiteral("                    Fernhollow"));
  strip->SetCaptionStyle(QColor(0, 0, 160), 16, true);
  widgets::FixHeightForContents(*strip, 35);
  layout->addWidget(strip);

  auto* styleBar = new widgets::GradientPanel;
  auto* styleLayout = new QHBoxLayout(styleBar);
  styleLayout->setContentsMargins(4, 2, 4, 2);
  QPushButton* select = Button(QStringLiteral("スタイル選択"), "GradBtn5");
  widgets::FixSizeForCaption(*select, {90, 20}, select->text());
  connect(select, &QPushButton::clicked, this, &PrintWindow::ChooseStyle);
  styleLayout->addWidget(select);
  QPushButton* design = Button(QStringLiteral("デザイン"), "DesignButton");
  widgets::FixSizeForCaption(*design, {70, 20}, design->text());
  design->setToolTip(QStringLiteral("スタイルをデザイン画面で編集します (Ctrl+D)"));
  connect(design, &QPushButton::clicked, this, &PrintWindow::OpenDesigner);
  styleLayout->addWidget(design);
  stylePathLabel_ = new QLabel;
  stylePathLabel_->setObjectName(QStringLiteral("WKINDPL"));
  stylePathLabel_->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
  styleLayout->addWidget(stylePathLabel_, 1);
  widgets::FixHeightForContents(*styleBar, 25);
  layout->addWidget(styleBar);

  auto* tools = new QHBoxLayout;
  tools->setContentsMargins(4, 4, 4, 4);
  const struct {
    const char* caption;
    const char* name;
    int zoom;
  } presets[] = {{"50%", "GradBtn1", 50},
                 {"100%", "GradBtn2", 100},
                 {"150%", "GradBtn4", 150},
                 {"200%", "GradBtn3", 200}};
  for (const auto& preset : presets) {
    QPushButton* b = Button(QString::fromLatin1(preset.caption), preset.name);
    widgets::FixSizeForCaption(*b, {50, 22}, b->text());
    int zoom = preset.zoom;
    connect(b, &QPushButton::clicked, this, [this, zoom] { SetZoom(zoom); });
    tools->addWidget(b);
  }
  zoomSlider_ = new QSlider(Qt::Horizontal);
  zoomSlider_->setObjectName(QStringLiteral("TrackBar1"));
  zoomSlider_->setRange(kMinZoom, kMaxZoom);
  zoomSlider_->setTickInterval(10);
  zoomSlider_->setTickPosition(QSlider::TicksBelow);
  zoomSlider_->setValue(zoom_);
  connect(zoomSlider_, &QSlider::valueChanged, this, [this](int value) {
    if (value != zoom_) {
      SetZoom(value);
    }
  });
  tools->addWidget(zoomSlider_, 1);
  QPushButton* top = Button(QStringLiteral("Top Page"), "PictButton2");
  top->setToolTip(QStringLiteral("Top Page"));
  connect(top, &QPushButton::clicked, this, &PrintWindow::FirstPage);
  QPushButton* next = Button(QStringLiteral("Page+1"), "go");
  next->setToolTip(QStringLiteral("Page+1"));
  connect(next, &QPushButton::clicked, this, &PrintWindow::NextPage);
  tools->addWidget(top);
  tools->addWidget(next);
  layout->addLayout(tools);

  auto* body = new QHBoxLayout;
  body->setSpacing(0);
  auto* side = new QWidget;
  auto* sideLayout = new QVBoxLayout(side);
  auto* maker = new QLabel(QStringLiteral("Fernhollow"));
  // In the panel's own text colour, so a dark palette shows it too.
  maker->setStyleSheet(QStringLiteral("font-weight: bold;"));
  sideLayout->addWidget(maker);
  QPushButton* backup = Button(QStringLiteral("バックアップ"), "IconButton14");
  connect(backup, &QPushButton::clicked, this, &PrintWindow::WriteBackup);
  sideLayout->addWidget(backup);
  sideLayout->addWidget(new QLabel(QStringLiteral("Release Version 20030620A")));

  auto* offsets = new QGroupBox(QStringLiteral("全体位置調整X,Y(mm)"));
  auto* grid = new QGridLayout(offsets);
  auto* number = new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("-?\\d{0,6}(\\.\\d{0,4})?")), this);
  offsetXBox_ = new QLineEdit(QStringLiteral("0"));
  offsetXBox_->setObjectName(QStringLiteral("ofxbox"));
  offsetYBox_ = new QLineEdit(QStringLiteral("0"));
  offsetYBox_->setObjectName(QStringLiteral("ofybox"));
  for (QLineEdit* box : {offsetXBox_, offsetYBox_}) {
    box->setValidator(number);
    connect(box, &QLineEdit::returnPressed, this, &PrintWindow::OffsetEntered);
  }
  grid->addWidget(offsetXBox_, 0, 0, 1, 2);
  grid->addWidget(offsetYBox_, 0, 2, 1, 2);
  const struct {
    const char* caption;
    const char* name;
    int dx, dy;
  } arrows[] = {{"←", "PictButton1", -1, 0},
                {"↑", "PictButton3", 0, -1},
                {"↓", "PictButton4", 0, 1},
                {"→", "PictButton5", 1, 0}};
  int column = 0;
  for (const auto& arrow : arrows) {
    QPushButton* b = Button(QString::fromUtf8(arrow.caption), arrow.name);
    widgets::FixSizeForCaption(*b, {36, 22}, b->text());
    int dx = arrow.dx;
    int dy = arrow.dy;
    connect(b, &QPushButton::clicked, this, [this, dx, dy] {
      Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
      StepOffset(dx, dy, keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier));
    });
    grid->addWidget(b, 1, column++);
  }
  offsetsInPreviewCheck_ = new QCheckBox(QStringLiteral("オフセットをプレビュ－で確認"));
  offsetsInPreviewCheck_->setObjectName(QStringLiteral("CheckBox1"));
  offsetsInPreviewCheck_->setChecked(true);
  grid->addWidget(offsetsInPreviewCheck_, 2, 0, 1, 4);
  QPushButton* update = Button(QStringLiteral("更　新"), "GradBtn6");
  connect(update, &QPushButton::clicked, this, &PrintWindow::SaveSettings);
  grid->addWidget(update, 3, 0, 1, 4);
  sideLayout->addWidget(offsets);

  sideLayout->addWidget(new QLabel(QStringLiteral("用紙サイズ")));
  auto* paperRow = new QHBoxLayout;
  paperLabel_ = new QLabel;
  paperLabel_->setObjectName(QStringLiteral("BoxLabel1"));
  paperLabel_->setFrameShape(QFrame::Box);
  paperLabel_->setWordWrap(true);
  paperRow->addWidget(paperLabel_, 1);
  orientationLabel_ = new QLabel;
  orientationLabel_->setObjectName(QStringLiteral("OrientationLabel"));
  orientationLabel_->setFrameShape(QFrame::Box);
  orientationLabel_->setAlignment(Qt::AlignCenter);
  orientationLabel_->setMinimumWidth(28);
  paperRow->addWidget(orientationLabel_);
  sideLayout->addLayout(paperRow);
  sideLayout->addStretch();

  const struct {
    const char* caption;
    const char* left;
    const char* leftName;
    const char* right;
    const char* rightName;
    void (PrintWindow::*leftSlot)();
    void (PrintWindow::*rightSlot)();
  } rows[] = {
      {"Load / Save", "Load", "IconButton11", "Save", "IconButton6",
       &PrintWindow::ChooseStyleKeepingPage, &PrintWindow::SaveSettings},
      {"印  刷 / 用紙設定", "印刷", "IconButton12", "用紙設定", "IconButton4",
       &PrintWindow::PrintAllPages, &PrintWindow::PaperSetupIntoStyle},
      {"Help / Exit", "Help", "IconButton18", "Exit", "IconButton9", &PrintWindow::OpenManual,
       &PrintWindow::Quit},
  };
  for (const auto& row : rows) {
    sideLayout->addWidget(new QLabel(QString::fromUtf8(row.caption)));
    auto* pair = new QHBoxLayout;
    QPushButton* l = Button(QString::fromUtf8(row.left), row.leftName);
    QPushButton* r = Button(QString::fromUtf8(row.right), row.rightName);
    connect(l, &QPushButton::clicked, this, row.leftSlot);
    connect(r, &QPushButton::clicked, this, row.rightSlot);
    pair->addWidget(l);
    pair->addWidget(r);
    sideLayout->addLayout(pair);
  }
  widgets::FixWidthForContents(*side, 209);
  body->addWidget(side);

  // Three colours tell the desk, the sheet's unprintable margins and the
  // printable area (white) apart.
  previewScroll_ = new QScrollArea;
  previewScroll_->setObjectName(QStringLiteral("ScrollBox1"));
  QPalette desk = previewScroll_->palette();
  desk.setColor(QPalette::Window, kDeskColor);
  previewScroll_->setPalette(desk);
  previewScroll_->setBackgroundRole(QPalette::Window);
  previewScroll_->horizontalScrollBar()->setSingleStep(kScrollStep);
  previewScroll_->verticalScrollBar()->setSingleStep(kScrollStep);
  auto* canvas = new QWidget;
  canvas->setBackgroundRole(QPalette::Window);
  sheet_ = new QWidget(canvas);
  sheet_->setObjectName(QStringLiteral("panel1"));
  sheet_->setAutoFillBackground(true);
  QPalette sheet = sheet_->palette();
  sheet.setColor(QPalette::Window, kMarginColor);
  sheet_->setPalette(sheet);
  sheet_->setBackgroundRole(QPalette::Window);
  sheet_->move(0, 8);
  previewArea_ = new PreviewArea(sheet_);
  previewArea_->SetDrawer([this](QPainter& painter) { DrawPreview(painter); });
  previewScroll_->setWidget(canvas);
  body->addWidget(previewScroll_, 1);
  layout->addLayout(body, 1);

  BuildStatusBar(layout);
}

void PrintWindow::BuildStatusBar(QBoxLayout* layout) {
  statusBar_ = new QStatusBar;
  statusBar_->setObjectName(QStringLiteral("StatusBar2"));
  statusBar_->setSizeGripEnabled(false);
  auto panel = [this](const char* name, int width, int stretch) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(width);
    statusBar_->addWidget(label, stretch);
    return label;
  };
  changeStatus_ = panel("ChangeStatus", 50, 0);
  // As wide as its word needs in the font in use.
  changeStatus_->setMinimumWidth(
      std::max(50, widgets::RoomForCaption(*changeStatus_, QStringLiteral("変更なし")).width()));
  // The style's path and the printing message take what room there is.
  loadedStyleStatus_ = panel("LoadedStyleStatus", 300, 1);
  messageStatus_ = panel("MessageStatus", 50, 1);
  for (int spare = 0; spare < 3; ++spare) {
    panel("", 50, 0);  // three empty panels close the bar, as it has always had
  }
  openPdfFolderButton_ = Button(QStringLiteral("フォルダーを開く"), "OpenPdfFolder");
  openPdfFolderButton_->setToolTip(QStringLiteral("印刷した PDF のあるフォルダーを開きます"));
  widgets::FixHeightForCaption(*openPdfFolderButton_, 20);
  openPdfFolderButton_->hide();
  connect(openPdfFolderButton_, &QPushButton::clicked, this, [this] {
    widgets::OpenOrTell(*s_.desktop, *s_.dialogs,
                        QUrl::fromLocalFile(QFileInfo(writtenPdf_).absolutePath()),
                        QStringLiteral("PDF のフォルダー"));
  });
  statusBar_->addPermanentWidget(openPdfFolderButton_);
  layout->addWidget(statusBar_);
}

void PrintWindow::BuildMenus() {
  auto* bar = new QMenuBar(this);
  layout()->setMenuBar(bar);
  auto add = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                    const std::function<void()>& action) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(keys);
    connect(item, &QAction::triggered, this, action);
  };
  QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
  add(file, "dataread_command", QStringLiteral("読   込"), QKeySequence(Qt::CTRL | Qt::Key_L),
      [this] { ChooseStyle(); });
  add(file, "N3", QStringLiteral("リロード"), QKeySequence(Qt::Key_F5), [this] { ReloadStyle(); });
  add(file, "StyleDesign", QStringLiteral("デザイン"), QKeySequence(Qt::CTRL | Qt::Key_D),
      [this] { OpenDesigner(); });
  file->addSeparator();
  add(file, "N17", QStringLiteral("用紙設定"), QKeySequence(Qt::CTRL | Qt::Key_U),
      [this] { PaperSetupFromMenu(); });
  add(file, "N6", QStringLiteral("現在の用紙設定情報をスタイルに保存"), {},
      [this] { SaveSettingsFromMenu(); });
  add(file, "print_command", QStringLiteral("印　刷"), QKeySequence(Qt::CTRL | Qt::Key_P),
      [this] { PrintAllPages(); });
  file->addSeparator();
  add(file, "exit_command", QStringLiteral("終　了"), QKeySequence(Qt::Key_End),
      [this] { Quit(); });

  QMenu* view = bar->addMenu(QStringLiteral("表　示(&M)"));
  const struct {
    const char* name;
    int zoom;
  } zooms[] = {{"N1001", 50}, {"N1002", 100}, {"N1003", 150}, {"N1004", 200}};
  for (const auto& z : zooms) {
    int zoom = z.zoom;
    add(view, z.name, QStringLiteral("拡大率(%1%)").arg(zoom), {}, [this, zoom] { SetZoom(zoom); });
  }
  add(view, "N101", QStringLiteral("+10%"), QKeySequence(Qt::CTRL | Qt::Key_PageUp),
      [this] { SetZoom(zoom_ + 10); });
  add(view, "N102", QStringLiteral("-10%"), QKeySequence(Qt::CTRL | Qt::Key_PageDown),
      [this] { SetZoom(zoom_ - 10); });
  view->addSeparator();
  add(view, "PAGETOP1", QStringLiteral("Top Page"), QKeySequence(Qt::Key_PageUp),
      [this] { FirstPage(); });
  add(view, "PAGE11", QStringLiteral("Next Page"), QKeySequence(Qt::Key_PageDown),
      [this] { NextPage(); });

  QMenu* info = bar->addMenu(QStringLiteral("Information(&H)"));
  add(info, "N5", QStringLiteral("取扱説明書"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12),
      [this] { OpenManual(); });
}

std::string PrintWindow::Title() const {
  return s_.folderAndTitle ? s_.folderAndTitle->Title() : std::string();
}
std::string PrintWindow::Folder() const {
  return s_.folderAndTitle ? s_.folderAndTitle->Folder() : std::string();
}

QAction* PrintWindow::Item(const QString& name) const {
  return findChild<QAction*>(name);
}

void PrintWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!shown_) {
    shown_ = true;
    // After the window is on the screen, so the open dialog stands over it.
    QTimer::singleShot(0, this, [this] { AskForFirstStyle(); });
  }
}

void PrintWindow::AskForFirstStyle() {
  widgets::TellSkippedFiles(*s_.dialogs);
  PaperEntry paper = ReadPrinterPaper(*s_.printer);
  state_.SetPaper(paper.entry, paper.orientation);
  state_.SetPageNumber(1);
  NewStyle();
  // The style chosen last is shown again (Ctrl+L chooses another); the
  // first time, or when it is gone, one is asked for.
  rememberedStyle_ = QString::fromStdString(
      widgets::ReadSettingText(s_.paths->SettingsFile(), kSection, kLastStyleKey));
  LoadStyle(rememberedStyle_);
  if (!state_.StyleLoaded() && !rememberedStyle_.isEmpty() &&
      widgets::ProbePath(rememberedStyle_) == platform::PathKind::File) {
    LoadStyle({});  // it could not be read (said): another is asked for
  }
}

void PrintWindow::closeEvent(QCloseEvent* event) {
  // The designer goes first; it may ask to save, and the user may go back.
  if (designer_ && !designer_->close()) {
    event->ignore();
    return;
  }
  event->accept();
}

void PrintWindow::reject() {
  if (designer_ && !designer_->close()) {
    return;  // the user went back to the designer
  }
  QDialog::reject();
}

void PrintWindow::ReadMetrics() {
  metrics_ = ReadPrinterMetrics(*s_.printer);
  if (metrics_.fallback) {
    messageStatus_->setText(
        QStringLiteral("プリンターの解像度が不明のため PDF の寸法で表示しています"));
  }
}

void PrintWindow::NewStyle() {
  state_.NewStyle();
  ApplyStylePaper(*s_.printer, state_.PaperEntry(), state_.Orientation(), state_.CustomPaper());
  loadedStyleStatus_->clear();
  ReadMetrics();
  ShowPrinterPaper();
  RefreshPreview();
}

void PrintWindow::ShowOffsets() {
  offsetXBox_->setText(QString::fromStdString(state_.OffsetX().ToString()));
  offsetYBox_->setText(QString::fromStdString(state_.OffsetY().ToString()));
}

void PrintWindow::ShowStyleState() {
  loadedStyleStatus_->setText(Path(state_.Path()));
  ShowOffsets();
  ApplyStylePaper(*s_.printer, state_.PaperEntry(), state_.Orientation(), state_.CustomPaper());
  ReadMetrics();
  RefreshPreview();
  ShowPrinterPaper();
}

void PrintWindow::LoadStyle(QString path) {
  if (!path.isEmpty() && widgets::ProbePath(path) != platform::PathKind::File) {
    path.clear();  // gone, or on a server that does not answer: one is asked for
  }
  if (path.isEmpty()) {
    // The folder of the style shown, else the program's style folder.
    QString folder = state_.StyleLoaded() ? QFileInfo(Path(state_.Path())).absolutePath()
                                          : Path(s_.paths->File(kStyleFolder));
    path = s_.dialogs->GetOpenFileName(
        QStringLiteral("スタイルを指定して下さい"), QStringLiteral("sle"),
        QStringLiteral("スタイル|*.sle|すべてのファイル|*.*"), folder);
    if (path.isEmpty()) {
      return;
    }
  }
  stylePathLabel_->setText(path);  // the path chosen, even when it cannot be read
  lastDrawError_.clear();
  bool loaded = widgets::RunReported(*s_.dialogs, [&] {
    state_.Load(Bytes(path));
    ShowStyleState();
  });
  if (loaded && path != rememberedStyle_) {
    rememberedStyle_ = path;
    widgets::WriteSettingText(*s_.dialogs, s_.paths->SettingsFile(), kSection, kLastStyleKey,
                              QFileInfo(path).absoluteFilePath().toStdString());
  }
}

void PrintWindow::TurnPage() {
  if (!state_.StyleLoaded()) {
    LoadStyle({});  // no style yet: one is asked for
    return;
  }
  lastDrawError_.clear();
  widgets::RunReported(*s_.dialogs, [&] {
    state_.ShowPage();
    ShowStyleState();
  });
}

void PrintWindow::ShowPrinterPaper() {
  PaperEntry paper = ReadPrinterPaper(*s_.printer);
  bool listed = paper.entry > 0 && paper.entry <= kPaperCount;
  if (!listed && state_.PaperEntry() == layout::kCustomPaperEntry && state_.CustomPaper()) {
    // The style's own size, which no listed paper matches.
    paperLabel_->setText(QString::fromUtf8(PaperLabel(state_.PaperEntry(), state_.CustomPaper())));
  } else {
    paperLabel_->setText(listed ? QString::fromUtf8(PaperLabel(paper.entry))
                                : QStringLiteral("その他の用紙"));
  }
  orientationLabel_->setText(paper.orientation != 0 ? QStringLiteral("横") : QStringLiteral("縦"));
}

void PrintWindow::LayoutPreview() {
  PreviewLayout layout = printing::LayoutPreview(metrics_, screenX_, screenY_, zoom_);
  sheet_->resize(std::max(1, layout.sheetWidth), std::max(1, layout.sheetHeight));
  sheet_->parentWidget()->resize(std::max(1, layout.sheetWidth),
                                 std::max(1, layout.sheetHeight) + 8);
  previewArea_->setGeometry(layout.areaLeft, layout.areaTop, std::max(1, layout.areaWidth),
                            std::max(1, layout.areaHeight));
}

void PrintWindow::RefreshPreview() {
  changeStatus_->setText(QStringLiteral("変更なし"));
  LayoutPreview();
  previewArea_->update();
}

PageSettings PrintWindow::PreviewSettings() const {
  PreviewLayout layout = printing::LayoutPreview(metrics_, screenX_, screenY_, zoom_);
  PageSettings settings = PreviewPageSettings(layout, zoom_, screenX_, screenY_, metrics_);
  settings.offsetBoxX = state_.OffsetX();
  settings.offsetBoxY = state_.OffsetY();
  settings.offsetsInPreview = offsetsInPreviewCheck_->isChecked();
  if (state_.StyleLoaded()) {
    settings.styleFolder = FolderOf(state_.Path());
  }
  return settings;
}

QString PrintWindow::PictureFailureOnPaper() {
  PageSettings settings = PreviewSettings();
  settings.onPrinter = true;  // pictures shown only in the preview are left out
  QImage scratch(1, 1, QImage::Format_RGB32);
  QPainter painter(&scratch);
  layout::QtSurface surface(painter);
  try {
    std::vector<std::string> failures =
        DrawPage(surface, state_.PageLines(), settings, s_.pictures);
    return failures.empty() ? QString() : QString::fromStdString(failures.front());
  } catch (const std::exception&) {
    return {};  // a fault of the style is reported when printing
  }
}

void PrintWindow::DrawPreview(QPainter& painter) {
  PageSettings settings = PreviewSettings();
  try {
    layout::QtSurface surface(painter);
    std::vector<std::string> failures =
        DrawPage(surface, state_.PageLines(), settings, s_.pictures);
    // Said in the status bar, not in a box on every repaint; the rest of
    // the page is drawn.
    QString said = failures.empty() ? QString()
                                    : QStringLiteral("描画できない画像があります: ") +
                                          QString::fromStdString(failures.front());
    if (said != shownPictureFailure_) {
      shownPictureFailure_ = said;
      messageStatus_->setText(said);
    }
  } catch (const std::exception& e) {
    // Shown once, after the paint, and not again for the same fault.
    QString message = QString::fromUtf8(e.what());
    if (message != lastDrawError_) {
      lastDrawError_ = message;
      QTimer::singleShot(0, this, [this, message] { s_.dialogs->ShowError(message); });
    }
  }
}

void PrintWindow::SetZoom(int zoom) {
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  zoomSlider_->setValue(zoom_);
  RefreshPreview();
}

void PrintWindow::TakeOffsetBoxes() {
  state_.SetOffsets(Fixed::Parse(offsetXBox_->text().toStdString()).value_or(Fixed()),
                    Fixed::Parse(offsetYBox_->text().toStdString()).value_or(Fixed()));
}

void PrintWindow::StoreHeader() {
  TakeOffsetBoxes();
  state_.StoreHeader(zoom_);
}

void PrintWindow::StepOffset(int dx, int dy, bool shift, bool ctrl) {
  if (!state_.StyleLoaded()) {
    return;
  }
  TakeOffsetBoxes();
  Fixed step = OffsetStep(shift, ctrl);
  Fixed x = state_.OffsetX();
  Fixed y = state_.OffsetY();
  if (dx != 0) {
    x = OffsetAfterStep(x, dx > 0 ? step : -step);
  }
  if (dy != 0) {
    y = OffsetAfterStep(y, dy > 0 ? step : -step);
  }
  state_.SetOffsets(x, y);
  ShowOffsets();
  StoreHeader();
  RefreshPreview();
}

void PrintWindow::OffsetEntered() {
  if (!state_.StyleLoaded()) {
    return;
  }
  StoreHeader();
  RefreshPreview();
}

void PrintWindow::SaveSettingsToStyle(const QString& message) {
  if (!state_.StyleLoaded()) {
    return;
  }
  std::optional<platform::ReadOnlyTarget> readOnly =
      widgets::AskToReplaceReadOnly(*s_.dialogs, Path(state_.Path()));
  if (!readOnly) {
    return;
  }
  bool saved = widgets::RunReported(*s_.dialogs, [&] {
    TakeOffsetBoxes();
    state_.SaveHeader(zoom_, *readOnly);
  });
  if (!saved) {
    return;
  }
  state_.SetPageNumber(1);
  LoadStyle(Path(state_.Path()));
  s_.dialogs->ShowInfoBox(message, QStringLiteral("確認"));
}

void PrintWindow::PrintAllPages() {
  if (!state_.StyleLoaded()) {
    // Asked once; cancelling the dialog prints nothing.
    LoadStyle({});
    if (!state_.StyleLoaded()) {
      return;
    }
  }
  // A picture that will be missing from the paper is said before anything
  // is printed: a catalogue handed on without it must not look whole.
  QString missing = PictureFailureOnPaper();
  if (!missing.isEmpty()) {
    messageStatus_->setText(QStringLiteral("描画できない画像があります: ") + missing);
    widgets::Dialogs::Answer answer = s_.dialogs->AskTwoChoices(
        QStringLiteral("印刷できない画像があります:\r\n%1\r\n画像のないまま印刷しますか？")
            .arg(missing),
        QStringLiteral("印刷する"), QStringLiteral("やめる"));
    if (answer != widgets::Dialogs::Answer::First) {
      return;
    }
  }
  QString pdf;
  openPdfFolderButton_->hide();  // shown again when this run writes a PDF
  if (s_.printsToPdf && s_.printsToPdf()) {
    pdf = AskPdfDestination();
    if (pdf.isEmpty()) {
      return;  // cancelled: nothing is printed
    }
    std::optional<platform::ReadOnlyTarget> readOnly =
        widgets::AskToReplaceReadOnly(*s_.dialogs, pdf);
    if (!readOnly) {
      return;
    }
    if (s_.preparePdf) {
      s_.preparePdf(Bytes(pdf), *readOnly);
    }
  }
  widgets::RunReported(*s_.dialogs, [&] {
    PrintInputs inputs;
    inputs.screenResolution = screenX_;
    inputs.zoomPercent = zoom_;
    inputs.pictures = s_.pictures;
    // What the preview shows: the offsets in the boxes, saved or not.
    TakeOffsetBoxes();
    inputs.offsetX = state_.OffsetX();
    inputs.offsetY = state_.OffsetY();
    std::vector<std::string> pictureFailures;
    inputs.pictureFailures = &pictureFailures;
    int pages = printing::PrintAllPages(*s_.printer, state_, inputs);
    ShowOffsets();
    if (pdf.isEmpty()) {
      messageStatus_->setText(QStringLiteral("%1 ページを印刷しました: %2")
                                  .arg(pages)
                                  .arg(QString::fromStdString(s_.printer->Destination())));
      if (!s_.printer->RunWarning().empty()) {
        QString warning = QString::fromStdString(s_.printer->RunWarning());
        messageStatus_->setText(messageStatus_->text() + QStringLiteral("  ") + warning);
        s_.dialogs->ShowMessage(warning);
      }
    } else {
      ShowWrittenPdf(pdf, pages);
      RememberPdfFolder(pdf);
    }
    if (!pictureFailures.empty() && missing.isEmpty()) {  // else asked before
      s_.dialogs->ShowMessage(QStringLiteral("印刷できなかった画像があります:\r\n") +
                              QString::fromStdString(pictureFailures.front()));
    }
    // The last page printed, with the window's own header (offsets, paper).
    StoreHeader();
    ReadMetrics();
    ShowPrinterPaper();
    RefreshPreview();
  });
}

QString PrintWindow::AskPdfDestination() {
  // The folder used last (kept in the settings file), else the user's
  // documents folder (xdg-user-dir DOCUMENTS), else the home folder.
  QString folder = QString::fromStdString(
      widgets::ReadSettingText(s_.paths->SettingsFile(), kSection, kPdfFolderKey));
  if (folder.isEmpty() || widgets::ProbePath(folder) != platform::PathKind::Folder) {
    folder = s_.documentsFolder.isEmpty()
                 ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                 : s_.documentsFolder;
    if (folder.isEmpty() || widgets::ProbePath(folder) != platform::PathKind::Folder) {
      folder = QDir::homePath();
    }
  }
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::string offered =
      FirstFreePath(Bytes(folder), TimestampedPdfName(local),
                    [](const std::string& path) { return QFileInfo::exists(Path(path)); });
  return s_.dialogs->GetSaveFileName(QStringLiteral("pdf"), QStringLiteral("PDFファイル|*.pdf"),
                                     Path(offered));
}

void PrintWindow::RememberPdfFolder(const QString& pdf) {
  widgets::WriteSettingText(*s_.dialogs, s_.paths->SettingsFile(), kSection, kPdfFolderKey,
                            QFileInfo(pdf).absolutePath().toStdString());
}

void PrintWindow::ShowWrittenPdf(const QString& path, int pages) {
  writtenPdf_ = path;
  QString text = QStringLiteral("%1 ページを PDF に書き出しました: %2").arg(pages).arg(path);
  messageStatus_->setText(text);
  messageStatus_->setToolTip(text);
  openPdfFolderButton_->show();
}

void PrintWindow::ChooseStyle() {
  state_.SetPageNumber(1);
  LoadStyle({});
}
void PrintWindow::ChooseStyleKeepingPage() {
  LoadStyle({});
}
void PrintWindow::ReloadStyle() {
  LoadStyle(Path(state_.Path()));
}

void PrintWindow::WriteBackup() {
  widgets::RunReported(*s_.dialogs, [&] {
    platform::ReplacingFileWriter::ReplaceWith(
        s_.paths->File(kBackupFile),
        platform::Utf8ToCp932(layout::StyleFileText(state_.PageLines())));
  });
}

void PrintWindow::FirstPage() {
  state_.SetPageNumber(1);
  TurnPage();
}

void PrintWindow::NextPage() {
  state_.SetPageNumber(state_.PageNumber() + 1);
  TurnPage();
}

void PrintWindow::PaperSetupFromMenu() {
  if (s_.setupDialog) {
    s_.setupDialog();
  }
  // The paper lasts until the style is next loaded; the header keeps its own.
  ReadMetrics();
  SayWhenPaperIsNotOffered();
  ShowPrinterPaper();
  RefreshPreview();
}

void PrintWindow::PaperSetupIntoStyle() {
  if (s_.setupDialog) {
    s_.setupDialog();
  }
  ReadMetrics();
  // A paper the printer does not have is not stored: the style keeps its own.
  if (!SayWhenPaperIsNotOffered()) {
    PaperEntry paper = ReadPrinterPaper(*s_.printer);
    if (paper.entry == 0 && state_.PaperEntry() == layout::kCustomPaperEntry) {
      // No listed paper: the style's own size stays, turned as chosen.
      state_.SetPaper(state_.PaperEntry(), paper.orientation, state_.CustomPaper());
    } else {
      state_.SetPaper(paper.entry, paper.orientation);
    }
    StoreHeader();
  }
  ShowPrinterPaper();
  RefreshPreview();
}

bool PrintWindow::SayWhenPaperIsNotOffered() {
  int code = s_.printer->CurrentPaper().code;
  if (code == 0 || s_.printer->OffersPaper(code)) {
    return false;
  }
  QString text =
      QStringLiteral("プリンター「%1」には用紙「%2」がありません。スタイルの用紙は変えません")
          .arg(QString::fromStdString(s_.printer->Destination()),
               QString::fromUtf8(PaperLabel(code)));
  messageStatus_->setText(text);
  messageStatus_->setToolTip(text);
  return true;
}

void PrintWindow::SaveSettingsFromMenu() {
  SaveSettingsToStyle(
      QStringLiteral("ワードファイル・クイルマーク\r\n全体位置と用紙設定を保存しました"));
}
void PrintWindow::SaveSettings() {
  SaveSettingsToStyle(QStringLiteral("全体位置と用紙設定を保存しました"));
}
void PrintWindow::Quit() {
  close();
}

namespace {

// Whether two style paths name one file (a new style has none).
bool SameStyleFile(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) {
    return a.isEmpty() && b.isEmpty();
  }
  auto canonical = [](const QString& path) {
    QFileInfo file(path);
    QString real = file.canonicalFilePath();
    return real.isEmpty() ? file.absoluteFilePath() : real;
  };
  return canonical(a) == canonical(b);
}

}  // namespace

void PrintWindow::OpenDesigner() {
  if (designer_ && !SameStyleFile(designer_->windowFilePath(), Path(state_.Path()))) {
    // The designer edits the file it names in its window file path.
    followDesignerSaves_ = false;
    bool closed = designer_->close();
    followDesignerSaves_ = true;
    if (closed) {
      designer_ = nullptr;  // deleted once control returns to the event loop
    }
  }
  if (designer_) {
    designer_->show();
    designer_->raise();
    designer_->activateWindow();
    return;
  }
  if (!s_.designers) {
    return;
  }
  designer_ = s_.designers(this, state_, metrics_, s_.pictures, s_.clock,
                           [this](const std::string& path) { TakeDesignerStyle(path); });
  if (designer_) {
    designer_->show();
  }
}

void PrintWindow::TakeDesignerStyle(const std::string& path) {
  if (!followDesignerSaves_) {
    return;
  }
  stylePathLabel_->setText(Path(path));
  lastDrawError_.clear();
  widgets::RunReported(*s_.dialogs, [&] {
    state_.TakeSavedStyle(path);
    ShowStyleState();
  });
}

void PrintWindow::OpenManual() {
  widgets::ShowManual(this, *s_.desktop, *s_.dialogs, Path(s_.paths->Manual()));
}

}  // namespace printing
