#pragma once

#include <QWidget>

class QLineEdit;

namespace widgets {

// A bar under a list to find a row by a text in it: a box, a button to find
// the next row holding the text (also Enter and F3) and one to close the
// bar (also Escape).
class FindBar : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWidget* parent = nullptr);

  // Shows the bar with its text selected, ready to be typed over.
  void Open();
  QString Text() const;
  QLineEdit* TextBox() const { return text_; }

 signals:
  // Find the next row holding `text`.
  void findNext(const QString& text);
  // The bar was closed: the list takes the keys again.
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Close();

  QLineEdit* text_;
};

}  // namespace widgets
