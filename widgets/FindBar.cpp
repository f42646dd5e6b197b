#include "widgets/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace widgets {

FindBar::FindBar(QWidget* parent) : QWidget(parent), text_(new QLineEdit) {
  setObjectName(QStringLiteral("FindBar"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  auto* label = new QLabel(QStringLiteral("検索(&N):"));
  label->setBuddy(text_);
  text_->setObjectName(QStringLiteral("FindText"));
  text_->setClearButtonEnabled(true);
  text_->setAccessibleName(QStringLiteral("検索する文字"));
  auto* next = new QPushButton(QStringLiteral("次を検索"));
  next->setObjectName(QStringLiteral("FindNext"));
  next->setAutoDefault(false);
  next->setCursor(Qt::PointingHandCursor);
  auto* close = new QToolButton;
  close->setObjectName(QStringLiteral("FindClose"));
  close->setText(QStringLiteral("×"));
  close->setAccessibleName(QStringLiteral("検索を閉じる"));
  close->setToolTip(QStringLiteral("検索を閉じる (Esc)"));
  close->setAutoRaise(true);
  layout->addWidget(label);
  layout->addWidget(text_, 1);
  layout->addWidget(next);
  layout->addWidget(close);
  connect(text_, &QLineEdit::returnPressed, this, [this] { emit findNext(Text()); });
  connect(next, &QPushButton::clicked, this, [this] { emit findNext(Text()); });
  connect(close, &QToolButton::clicked, this, &FindBar::Close);
  hide();
}

void FindBar::Open() {
  show();
  text_->setFocus(Qt::ShortcutFocusReason);
  text_->selectAll();
}

QString FindBar::Text() const {
  return text_->text();
}

void FindBar::Close() {
  hide();
  emit closed();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace widgets
