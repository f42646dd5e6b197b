#pragma once

#include <QDialog>
#include <QPixmap>
#include <QStringList>

class QPushButton;

namespace widgets {

// The program's message box: icon at the left, text at the right, buttons
// centred below, sized to the text, captioned with the application title.
// The first button is the default (Enter); with two buttons the second
// answers Escape, with three the third. exec() gives 6 for the first button,
// 7 for the second, 8 for the third and 2 when the box is closed otherwise.
class MessageBox : public QDialog {
  Q_OBJECT

 public:
  MessageBox(const QString& text, const QStringList& buttons, const QPixmap& icon,
             QWidget* parent = nullptr);

  QPushButton* Button(int index) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  QList<QPushButton*> buttons_;
};

}  // namespace widgets
