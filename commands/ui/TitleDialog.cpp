#include "commands/ui/TitleDialog.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/ApplicationTitle.h"
#include "widgets/Dialogs.h"
#include "widgets/FontFit.h"
#include "widgets/GradientPanel.h"
#include "widgets/IconButton.h"
#include "widgets/SkippedFiles.h"

namespace commands {

TitleDialog::TitleDialog(catalogue::FolderAndTitle& folderAndTitle, std::string historyPath,
                         widgets::Dialogs& dialogs, QWidget* parent)
    : widgets::PlainDialog(parent),
      folderAndTitle_(folderAndTitle),
      historyPath_(std::move(historyPath)),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("FTitle_Set"));
  setWindowTitle(widgets::ApplicationTitle());
  resize(450, 213);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 10);
  auto* band = new widgets::GradientPanel;
  band->SetColors(QColor(235, 240, 250), QColor(205, 212, 230));
  auto* bandLayout = new QHBoxLayout(band);
  bandLayout->setContentsMargins(6, 0, 6, 0);
  bandLayout->addWidget(new widgets::IconButton(widgets::ProgramEmblem(28)));
  auto* name = new QLabel(widgets::ApplicationTitle());
  QFont nameFont = name->font();
  nameFont.setPixelSize(16);
  nameFont.setBold(true);
  name->setFont(nameFont);
  QPalette namePalette = name->palette();
  namePalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  name->setPalette(namePalette);
  bandLayout->addWidget(name, 1);
  widgets::FixHeightForContents(*band, 35);
  layout->addWidget(band);

  titleList_ = new QComboBox;
  titleList_->setObjectName(QStringLiteral("title_list"));
  titleList_->setEditable(true);
  titleList_->setInsertPolicy(QComboBox::NoInsert);
  // The text stays as typed: no completion from the history ("Cance" must not
  // turn into an older "Cancelled Title"). The list is still there to pick from.
  titleList_->setCompleter(nullptr);
  titleList_->setFixedWidth(417);
  QFont listFont = titleList_->font();
  listFont.setPixelSize(15);
  titleList_->setFont(listFont);
  layout->addSpacing(12);
  layout->addWidget(titleList_, 0, Qt::AlignHCenter);
  layout->addStretch();
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  layout->addWidget(line);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(10, 0, 10, 0);
  buttons->addStretch();
  confirmButton_ = new QPushButton(QStringLiteral("実　行"));
  confirmButton_->setObjectName(QStringLiteral("Button1"));
  cancelButton_ = new QPushButton(QStringLiteral("キャンセル"));
  cancelButton_->setObjectName(QStringLiteral("Button2"));
  for (QPushButton* button : {confirmButton_, cancelButton_}) {
    widgets::FixSizeForCaption(*button, {75, 25}, button->text());
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  connect(confirmButton_, &QPushButton::clicked, this, &TitleDialog::Confirm);
  connect(cancelButton_, &QPushButton::clicked, this, &TitleDialog::Cancel);

  // FormCreate: the titles of earlier runs.
  try {
    history_ = TitleHistory::Load(historyPath_);
  } catch (const std::exception& e) {
    widgets::NoteSkippedFile(historyPath_, e.what());  // an empty history this run
  }
  FillList();
}

TitleDialog::~TitleDialog() {
  // Written at every exit, also when the dialog was never opened.
  if (!widgets::WasSkipped(historyPath_)) {
    // Another instance may have written the file since: its titles are kept.
    widgets::RunReported(dialogs_, [&] { history_.SaveMerged(historyPath_); });
  }
}

void TitleDialog::FillList() {
  QString text = titleList_->currentText();
  titleList_->clear();
  for (const std::string& entry : history_.Entries()) {
    titleList_->addItem(QString::fromStdString(entry));
  }
  titleList_->setCurrentIndex(-1);
  titleList_->setEditText(text);
}

void TitleDialog::showEvent(QShowEvent* event) {
  titleList_->setEditText(QString::fromStdString(folderAndTitle_.Title()));
  titleList_->setFocus();
  titleList_->lineEdit()->selectAll();
  widgets::PlainDialog::showEvent(event);
}

void TitleDialog::Confirm() {
  folderAndTitle_.SetTitle(titleList_->currentText().toStdString());
  accept();
}

void TitleDialog::Cancel() {
  reject();
}

void TitleDialog::done(int result) {
  RememberTitle();
  widgets::PlainDialog::done(result);
}

void TitleDialog::RememberTitle() {
  std::optional<std::string> stored = history_.Use(titleList_->currentText().toStdString());
  if (stored) {
    titleList_->setEditText(
        QString::fromStdString(*stored));  // the stored spelling wins in the box
  }
  FillList();
}

}  // namespace commands
