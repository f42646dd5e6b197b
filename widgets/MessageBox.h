#pragma once

#include <QDialog>
#include <QPixmap>
#include <QStringList>

#include "widgets/Dialogs.h"

class QPushButton;

namespace widgets {

// The program's message box: icon at the left, text at the right, buttons
// centred below, sized to the text, captioned with the application title.
// Button `defaultButton` is the default (Enter and Space); with two buttons
// the second answers Escape, with three the third.
class MessageBox : public QDialog {
  Q_OBJECT

 public:
  MessageBox(const QString& text, const QStringList& buttons, const QPixmap& icon,
             QWidget* parent = nullptr, int defaultButton = 0);

  QPushButton* Button(int index) const;
  // Shows the box until it is answered.
  Dialogs::Answer Ask();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  // The result code exec() ends with for an answer.
  static int ResultOf(Dialogs::Answer answer);

  QList<QPushButton*> buttons_;
};

}  // namespace widgets
