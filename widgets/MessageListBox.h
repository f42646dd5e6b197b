#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace widgets {

// A message with a list that may be long: the application's title, the
// message, the items one per line in a scrolling read-only box (so they can
// be selected and copied), and one OK button. Enter and Escape close it too.
class MessageListBox : public QDialog {
  Q_OBJECT

 public:
  MessageListBox(const QString& text, const QStringList& items, QWidget* parent = nullptr);

  QString Text() const;
  QString Items() const;
  QPushButton* OkButton() const { return ok_; }

 private:
  QLabel* text_ = nullptr;
  QPlainTextEdit* items_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace widgets
