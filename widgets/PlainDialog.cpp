#include "widgets/PlainDialog.h"

#include <QKeyEvent>

namespace widgets {

void PlainDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      event->accept();
      Cancel();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      Confirm();
      return;
    default: QDialog::keyPressEvent(event); return;
  }
}

}  // namespace widgets
