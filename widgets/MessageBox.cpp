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
                       QWidget* parent, int defaultButton)
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
    int result = ResultOf(i == 0   ? Dialogs::Answer::First
                          : i == 1 ? Dialogs::Answer::Second
                                   : Dialogs::Answer::Third);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    row->addWidget(button);
    buttons_.append(button);
  }
  row->addStretch();
  layout->addLayout(row);
  if (QPushButton* chosen = Button(defaultButton)) {
    chosen->setDefault(true);
    chosen->setFocus();
  }
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

namespace {

// Result codes above QDialog's own (Rejected 0, Accepted 1).
constexpr int kFirstAnswerCode = 10;

}  // namespace

int MessageBox::ResultOf(Dialogs::Answer answer) {
  return kFirstAnswerCode + static_cast<int>(answer);
}

Dialogs::Answer MessageBox::Ask() {
  int code = exec();
  for (Dialogs::Answer answer : {Dialogs::Answer::First, Dialogs::Answer::Second,
                                 Dialogs::Answer::Third, Dialogs::Answer::Closed}) {
    if (code == ResultOf(answer)) {
      return answer;
    }
  }
  return Dialogs::Answer::Closed;  // ended some other way
}

QPushButton* MessageBox::Button(int index) const {
  return index >= 0 && index < buttons_.size() ? buttons_[index] : nullptr;
}

void MessageBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    // The last button is the one that changes nothing (no, or go back);
    // a box of one button (確認) only tells, and Escape closes it as that
    // button does.
    if (buttons_.size() == 1) {
      done(ResultOf(Dialogs::Answer::First));
    } else if (buttons_.size() == 2) {
      done(ResultOf(Dialogs::Answer::Second));
    } else if (buttons_.size() >= 3) {
      done(ResultOf(Dialogs::Answer::Third));
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

void MessageBox::reject() {
  done(ResultOf(Dialogs::Answer::Closed));  // the window's close button
}

}  // namespace widgets
