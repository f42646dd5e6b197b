#pragma once

#include <QDialog>

namespace widgets {

// A dialog with neither a default nor a cancel button: Enter and Escape do
// not close it; only its buttons and the window's close button do.
class PlainDialog : public QDialog {
  Q_OBJECT

 public:
  using QDialog::QDialog;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace widgets
