#include "commands/ui/RowEditDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "widgets/ApplicationTitle.h"

namespace commands {

namespace {

constexpr const char* kNotice = "印刷用編集[実際のプロパティは書き換わりません]";
constexpr const char* kLabels[5] = {"タイトル", "サブタイトル", "作成者", "キーワード", "コメント"};
constexpr int kRowStep = 32;

QString Shown(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

}  // namespace

RowEditDialog::RowEditDialog(catalogue::DocumentList& list, QWidget* parent)
    : widgets::PlainDialog(parent), list_(list) {
  setObjectName(QStringLiteral("fdataedit"));
  setWindowTitle(widgets::ApplicationTitle());
  // Laid out at the designed font's line height (13 px); a font that needs
  // more room grows every place and size alike, never below the design.
  const double grow = std::max(1.0, fontMetrics().height() / 13.0);
  auto at = [grow](int designed) { return static_cast<int>(std::lround(designed * grow)); };
  auto place = [&at](QWidget* widget, int x, int y, int width, int height) {
    widget->setGeometry(at(x), at(y), at(width), at(height));
  };
  setFixedSize(at(536), at(292));

  fieldsGroup_ = new QGroupBox(QString::fromUtf8(kNotice), this);
  fieldsGroup_->setObjectName(QStringLiteral("XPGroupBox1"));
  place(fieldsGroup_, 35, 10, 465, 217);
  for (int i = 0; i < 5; ++i) {
    auto* band = new QLabel(QString::fromUtf8(kLabels[i]), fieldsGroup_);
    place(band, 16, 26 + i * kRowStep, 129, 17);
    band->setAutoFillBackground(true);
    QPalette p = band->palette();
    p.setColor(QPalette::Window, QColor(0, 128, 192));
    p.setColor(QPalette::WindowText, Qt::white);
    band->setPalette(p);
    QFont f = band->font();
    f.setPixelSize(13);
    band->setFont(f);
    band->setContentsMargins(4, 0, 0, 0);

    auto* box = new QLineEdit(fieldsGroup_);
    box->setObjectName(QStringLiteral("data%1").arg(i + 1));
    place(box, 160, 24 + i * kRowStep, 281, 21);
    boxes_[static_cast<std::size_t>(i)] = box;
  }
  noticeLabel_ = new QLabel(QString::fromUtf8(kNotice), fieldsGroup_);
  noticeLabel_->setObjectName(QStringLiteral("Label1"));
  place(noticeLabel_, 16, 26 + 5 * kRowStep, 425, 17);

  confirmButton_ = new QPushButton(QStringLiteral("実　行"), this);
  confirmButton_->setObjectName(QStringLiteral("Button1"));
  place(confirmButton_, 536 - 16 - 75 - 8 - 75, 292 - 12 - 25, 75, 25);
  cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
  cancelButton_->setObjectName(QStringLiteral("Button2"));
  place(cancelButton_, 536 - 16 - 75, 292 - 12 - 25, 75, 25);
  for (QPushButton* button : {confirmButton_, cancelButton_}) {
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  connect(confirmButton_, &QPushButton::clicked, this, &RowEditDialog::Confirm);
  connect(cancelButton_, &QPushButton::clicked, this, &RowEditDialog::Cancel);
}

QString RowEditDialog::GroupCaption() const {
  return fieldsGroup_->title();
}

void RowEditDialog::showEvent(QShowEvent* event) {
  ShowRow();
  widgets::PlainDialog::showEvent(event);
}

void RowEditDialog::ShowRow() {
  fieldsGroup_->setTitle(Shown(list_.Field(row_, 0)));
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    shown_[i] = Shown(list_.Field(row_, kEditedColumns[i]));
    boxes_[i]->setText(shown_[i]);
  }
  boxes_[0]->setFocus();
}

void RowEditDialog::Confirm() {
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    // A box left as it was shown keeps the field exactly.
    if (boxes_[i]->text() != shown_[i]) {
      list_.SetField(row_, kEditedColumns[i], boxes_[i]->text().toStdString());
    }
  }
  accept();
}

void RowEditDialog::Cancel() {
  reject();
}

}  // namespace commands
