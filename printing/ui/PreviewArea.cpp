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
  // The frame runs along the area's own edges, so all four sides show at
  // every zoom (a frame of the rounded printable size would reach one
  // pixel past the truncated area and lose its right or bottom side).
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (drawer_) {
    drawer_(painter);
  }
}

}  // namespace printing
