#include "app/ui/Tfquillmark_wd.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/core/ColumnWidths.h"
#include "app/core/ListGrid.h"
#include "catalogue/ui/Tffolder_select.h"
#include "widgets/ApplicationTitle.h"
#include "widgets/Colors.h"
#include "widgets/Dialogs.h"
#include "widgets/GradientButton.h"
#include "widgets/GradientPanel.h"
#include "widgets/IconButton.h"
#include "widgets/StringGrid.h"
#include "widgets/WindowPlacement.h"

namespace app {

namespace {

constexpr const char* kSection = "fquillmark_wd";
constexpr int kDesignedWidth = 1272;
constexpr int kDesignedHeight = 942;
constexpr widgets::ColorRef kBandColor = 7099731;     // RGB 83, 85, 108
constexpr widgets::ColorRef kGradientEnd = 10652814;  // the end of the top band's box

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

Tfquillmark_wd::Tfquillmark_wd(const ProgramPaths& paths, widgets::Dialogs& dialogs,
                               QWidget* parent)
    : QMainWindow(parent), paths_(paths), dialogs_(dialogs), gridData_(MakeListGrid()) {
  setObjectName(QStringLiteral("fquillmark_wd"));
  setWindowTitle(widgets::ApplicationTitle() + QStringLiteral("-Fernhollow-"));
  BuildBands();
  BuildMenus();
  widgets::RestoreWindowGeometry(*this, paths_.SettingsFile(), kSection, kDesignedWidth,
                                 kDesignedHeight);
}

Tfquillmark_wd::~Tfquillmark_wd() {
  widgets::RunReported(
      dialogs_, [&] { widgets::SaveWindowGeometry(*this, paths_.SettingsFile(), kSection); });
}

void Tfquillmark_wd::BuildBands() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  // Top band: emblem, product name, a gradient box and the maker's name.
  GradPan1 = new widgets::GradientPanel;
  GradPan1->setObjectName(QStringLiteral("GradPan1"));
  GradPan1->setFixedHeight(35);
  GradPan1->SetColors(QColor(235, 240, 250), QColor(205, 212, 230));
  auto* top = new QHBoxLayout(GradPan1);
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
  layout->addWidget(GradPan1);

  // Second band: folder button and label, report title.
  GradPan2 = new widgets::GradientPanel;
  GradPan2->setObjectName(QStringLiteral("GradPan2"));
  GradPan2->setFixedHeight(23);
  GradPan2->SetColors(widgets::ToQColor(kBandColor), widgets::ToQColor(kBandColor));
  auto* band = new QHBoxLayout(GradPan2);
  band->setContentsMargins(4, 0, 4, 0);
  band->setSpacing(8);
  auto* usersel = new QWidget;
  usersel->setObjectName(QStringLiteral("usersel_Panel"));
  auto* userselLayout = new QHBoxLayout(usersel);
  userselLayout->setContentsMargins(0, 0, 0, 0);
  userselLayout->setSpacing(8);
  GradBtn1 = new widgets::GradientButton(QStringLiteral("フォルダー指定"));
  GradBtn1->setObjectName(QStringLiteral("GradBtn1"));
  GradBtn1->setFixedSize(83, 17);
  GradBtn1->setFocusPolicy(Qt::NoFocus);
  connect(GradBtn1, &QPushButton::clicked, this, &Tfquillmark_wd::GradBtn1Click);
  userselLayout->addWidget(GradBtn1);
  WKINDPL = BandLabel("WKINDPL", 16, Qt::white);
  userselLayout->addWidget(WKINDPL, 1);
  band->addWidget(usersel, 1);
  title = BandLabel("title", 15, Qt::white);
  title->setFixedWidth(336);
  band->addWidget(title);
  layout->addWidget(GradPan2);

  auto* spacer = new QWidget;
  spacer->setObjectName(QStringLiteral("Panel1"));
  spacer->setFixedHeight(19);
  layout->addWidget(spacer);

  StrColGrid1 = new widgets::StringGrid(gridData_);
  StrColGrid1->setObjectName(QStringLiteral("StrColGrid1"));
  StrColGrid1->SetFixedColor(widgets::ToQColor(kFixedCellColor));
  layout->addWidget(StrColGrid1, 1);
  setCentralWidget(central);

  StatusBar1 = new QStatusBar;
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(StatusBar1);
}

QAction* Tfquillmark_wd::AddItem(QMenu* menu, const char* name, const QString& caption,
                                 const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
  }
  return action;
}

void Tfquillmark_wd::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  connect(AddItem(file, "N1", QStringLiteral("フォルダー指定")), &QAction::triggered, this,
          &Tfquillmark_wd::N1Click);
  file->addSeparator();
  AddItem(file, "N8", QStringLiteral("印　刷"), QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(AddItem(file, "Exit1", QStringLiteral("終  了"), QKeySequence(Qt::Key_End)),
          &QAction::triggered, this, &Tfquillmark_wd::Exit1Click);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("編　集(&E)"));
  AddItem(edit, "N21", QStringLiteral("選択中のデータを編集する"));
  edit->addSeparator();
  AddItem(edit, "N19", QStringLiteral("選択中のデータを削除する"));
  AddItem(edit, "N22", QStringLiteral("選択中のデータを上へ移動する"));
  AddItem(edit, "N23", QStringLiteral("選択中のデータを下へ移動する"));
  edit->addSeparator();
  AddItem(edit, "N30", QStringLiteral("タイトル入力"));

  QMenu* view = menuBar()->addMenu(QStringLiteral("表　示(&D)"));
  AddItem(view, "N14", QStringLiteral("ファイル名列の幅を広げる"));
  AddItem(view, "N15", QStringLiteral("ファイル名列の幅を縮める"));
  view->addSeparator();
  AddItem(view, "N17", QStringLiteral("タイトル列の幅を広げる"));
  AddItem(view, "N18", QStringLiteral("タイトル列の幅を縮める"));

  QMenu* output = menuBar()->addMenu(QStringLiteral("外部出力(&O)"));
  AddItem(output, "CSV1", QStringLiteral("CSV出力"));
  AddItem(output, "N10", QStringLiteral("クリップボード出力"));

  QMenu* info = menuBar()->addMenu(QStringLiteral("Information(&I)"));
  AddItem(info, "N2", QStringLiteral("取扱説明書"));
  info->addSeparator();
  AddItem(info, "N3", QStringLiteral("問い合わせメールを送る(support@fernhollow.example)"));
  AddItem(info, "N4",
          QStringLiteral("ホームページへアクセスする(https://www.fernhollow.example/)"));
  info->addSeparator();
  AddItem(info, "N5", QStringLiteral("メモ帳を起動"));
  AddItem(info, "N6", QStringLiteral("メモリ－確認"));
  AddItem(info, "N7", QStringLiteral("画面の解像度確認"));
  info->addSeparator();
  AddItem(info, "N28", QStringLiteral("バージョン情報"));

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  AddItem(PopupMenu1, "N31", QStringLiteral("選択中のデータを編集する"));
  AddItem(PopupMenu1, "N32", QStringLiteral("選択中のデータを削除する"));
  AddItem(PopupMenu1, "N33", QStringLiteral("選択中のデータを上へ移動する"));
  AddItem(PopupMenu1, "N34", QStringLiteral("選択中のデータを下へ移動する"));
  StrColGrid1->SetPopupMenu(PopupMenu1);
}

QAction* Tfquillmark_wd::Item(const QString& name) const {
  return findChild<QAction*>(name);
}

void Tfquillmark_wd::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
}

void Tfquillmark_wd::FormShow() {
  // The grid starts empty and no folder is chosen, whatever an earlier run
  // left in the list file.
  WKINDPL->clear();
  widgets::RunReported(dialogs_, [&] { LoadColumnWidths(paths_.ColumnWidthFile(), gridData_); });
  SetColumnHeadings(gridData_);
  ClearListGrid(gridData_);
  StrColGrid1->Refresh();
  StrColGrid1->setFocus();
}

void Tfquillmark_wd::closeEvent(QCloseEvent* event) {
  // Closing is always allowed, even when the widths cannot be written.
  widgets::RunReported(dialogs_, [&] { SaveColumnWidths(paths_.ColumnWidthFile(), gridData_); });
  event->accept();
}

void Tfquillmark_wd::RunFolderCommand() {
  if (folderDialog_ == nullptr) {
    return;
  }
  folderDialog_->Tag = 1;
  folderDialog_->exec();
  if (folderDialog_->Tag != 0) {
    widgets::RunReported(dialogs_, [&] { LoadDocumentList(paths_.ListFile(), gridData_); });
    StrColGrid1->Refresh();
  }
  StrColGrid1->setFocus();
}

void Tfquillmark_wd::N1Click() {
  RunFolderCommand();
}
void Tfquillmark_wd::GradBtn1Click() {
  RunFolderCommand();
}
void Tfquillmark_wd::Exit1Click() {
  close();
}

}  // namespace app
