#include "widgets/PlainDialog.h"

#include <QKeyEvent>

namespace widgets {

void PlainDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: event->accept(); return;
    default: QDialog::keyPressEvent(event); return;
  }
}

}  // namespace widgets
