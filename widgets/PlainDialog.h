#pragma once

#include <QDialog>

namespace widgets {

// A dialog with neither a default nor a cancel button: Enter runs its
// confirming command and Escape its cancelling one, as its two buttons do,
// so no button is pressed by a key meant for another.
class PlainDialog : public QDialog {
  Q_OBJECT

 public:
  using QDialog::QDialog;

  virtual void Confirm() = 0;
  virtual void Cancel() = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace widgets
