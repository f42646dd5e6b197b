#include "widgets/MessageBox.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/ApplicationTitle.h"
#include "widgets/Dialogs.h"

namespace widgets {

MessageBox::MessageBox(const QString& text, const QStringList& buttons, const QPixmap& icon,
                       QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(ApplicationTitle());
  setObjectName(QStringLiteral("MessageBox"));
  auto* layout = new QVBoxLayout(this);
  auto* body = new QHBoxLayout;
  if (!icon.isNull()) {
    auto* iconLabel = new QLabel;
    iconLabel->setObjectName(QStringLiteral("icon"));
    iconLabel->setPixmap(icon);
    iconLabel->setAlignment(Qt::AlignTop);
    body->addWidget(iconLabel);
  }
  auto* textLabel = new QLabel(text);
  textLabel->setObjectName(QStringLiteral("text"));
  textLabel->setTextFormat(Qt::PlainText);
  textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  body->addWidget(textLabel, 1);
  layout->addLayout(body);

  auto* row = new QHBoxLayout;
  row->addStretch();
  for (int i = 0; i < buttons.size(); ++i) {
    auto* button = new QPushButton(buttons[i]);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumWidth(75);
    int result = i == 0 ? Dialogs::kFirst : (i == 1 ? Dialogs::kSecond : Dialogs::kThird);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    row->addWidget(button);
    buttons_.append(button);
  }
  row->addStretch();
  layout->addLayout(row);
  if (!buttons_.isEmpty()) {
    buttons_.first()->setDefault(true);
    buttons_.first()->setFocus();
  }
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* MessageBox::Button(int index) const {
  return index >= 0 && index < buttons_.size() ? buttons_[index] : nullptr;
}

void MessageBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    // The last button is the one that changes nothing (no, or go back).
    if (buttons_.size() == 2) {
      done(Dialogs::kSecond);
    } else if (buttons_.size() >= 3) {
      done(Dialogs::kThird);
    }
    return;  // one button: Escape does not close the box
  }
  QDialog::keyPressEvent(event);
}

void MessageBox::reject() {
  done(Dialogs::kClosed);  // the window's close button
}

}  // namespace widgets
