#include "printing/ui/PreviewArea.h"

#include <QPainter>

namespace printing {

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(QRect(0, 0, frame_.width() - 1, frame_.height() - 1));
  if (drawer_) {
    drawer_(painter);
  }
}

}  // namespace printing
