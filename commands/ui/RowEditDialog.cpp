#include "commands/ui/RowEditDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/text/Cp932.h"
#include "widgets/ApplicationTitle.h"

namespace commands {

namespace {

constexpr const char* kNotice = "印刷用編集[実際のプロパティは書き換わりません]";
constexpr const char* kLabels[5] = {"タイトル", "サブタイトル", "作成者", "キーワード", "コメント"};
constexpr int kRowStep = 32;

QString Shown(const std::string& cp932) {
  return QString::fromUtf8(platform::Cp932ToUtf8(cp932));
}

}  // namespace

RowEditDialog::RowEditDialog(widgets::StringGridData& grid, QWidget* parent)
    : widgets::PlainDialog(parent), grid_(grid) {
  setObjectName(QStringLiteral("fdataedit"));
  setWindowTitle(widgets::ApplicationTitle());
  setFixedSize(536, 292);

  XPGroupBox1 = new QGroupBox(QString::fromUtf8(kNotice), this);
  XPGroupBox1->setObjectName(QStringLiteral("XPGroupBox1"));
  XPGroupBox1->setGeometry(35, 10, 465, 217);
  for (int i = 0; i < 5; ++i) {
    auto* band = new QLabel(QString::fromUtf8(kLabels[i]), XPGroupBox1);
    band->setGeometry(16, 26 + i * kRowStep, 129, 17);
    band->setAutoFillBackground(true);
    QPalette p = band->palette();
    p.setColor(QPalette::Window, QColor(0, 128, 192));
    p.setColor(QPalette::WindowText, Qt::white);
    band->setPalette(p);
    QFont f = band->font();
    f.setPixelSize(13);
    band->setFont(f);
    band->setContentsMargins(4, 0, 0, 0);

    auto* box = new QLineEdit(XPGroupBox1);
    box->setObjectName(QStringLiteral("data%1").arg(i + 1));
    box->setGeometry(160, 24 + i * kRowStep, 281, 21);
    boxes_[static_cast<std::size_t>(i)] = box;
  }
  Label1 = new QLabel(QString::fromUtf8(kNotice), XPGroupBox1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(16, 26 + 5 * kRowStep, 425, 17);

  Button1 = new QPushButton(QStringLiteral("実　行"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(536 - 16 - 75 - 8 - 75, 292 - 12 - 25, 75, 25);
  Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setGeometry(536 - 16 - 75, 292 - 12 - 25, 75, 25);
  for (QPushButton* button : {Button1, Button2}) {
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  connect(Button1, &QPushButton::clicked, this, &RowEditDialog::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &RowEditDialog::Button2Click);
}

QString RowEditDialog::GroupCaption() const {
  return XPGroupBox1->title();
}

void RowEditDialog::showEvent(QShowEvent* event) {
  FormShow();
  widgets::PlainDialog::showEvent(event);
}

void RowEditDialog::FormShow() {
  int row = grid_.SelectionTop();
  XPGroupBox1->setTitle(Shown(grid_.Cell(0, row)));
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    shown_[i] = Shown(grid_.Cell(kEditedColumns[i], row));
    boxes_[i]->setText(shown_[i]);
  }
  boxes_[0]->setFocus();
}

void RowEditDialog::Button1Click() {
  int row = grid_.SelectionTop();
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    // A box left as it was shown keeps the cell's bytes exactly, even ones
    // that showing had to replace.
    if (boxes_[i]->text() != shown_[i]) {
      grid_.SetCell(kEditedColumns[i], row, platform::Utf8ToCp932(boxes_[i]->text().toStdString()));
    }
  }
  accept();
}

void RowEditDialog::Button2Click() {
  Tag = 0;
  reject();
}

}  // namespace commands
