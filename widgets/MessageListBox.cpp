#include "widgets/MessageListBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/ApplicationTitle.h"

namespace widgets {

namespace {

constexpr int kWidth = 560;
constexpr int kListHeight = 220;

}  // namespace

MessageListBox::MessageListBox(const QString& text, const QStringList& items, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("MessageListBox"));
  setWindowTitle(ApplicationTitle());
  auto* layout = new QVBoxLayout(this);

  text_ = new QLabel(text);
  text_->setObjectName(QStringLiteral("text"));
  text_->setTextFormat(Qt::PlainText);
  text_->setWordWrap(true);
  layout->addWidget(text_);

  items_ = new QPlainTextEdit;
  items_->setObjectName(QStringLiteral("items"));
  items_->setReadOnly(true);
  items_->setLineWrapMode(QPlainTextEdit::NoWrap);
  items_->setPlainText(items.join(QLatin1Char('\n')));
  items_->setMinimumHeight(kListHeight);
  items_->setTabChangesFocus(true);
  layout->addWidget(items_, 1);

  auto* row = new QHBoxLayout;
  row->addStretch();
  ok_ = new QPushButton(QStringLiteral("OK"));
  ok_->setObjectName(QStringLiteral("ok"));
  ok_->setCursor(Qt::PointingHandCursor);
  ok_->setMinimumWidth(75);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  row->addWidget(ok_);
  row->addStretch();
  layout->addLayout(row);

  resize(kWidth, sizeHint().height());
  ok_->setFocus();
}

QString MessageListBox::Text() const {
  return text_->text();
}

QString MessageListBox::Items() const {
  return items_->toPlainText();
}

}  // namespace widgets
