#include "printing/ui/PreviewArea.h"

#include <QPainter>
#include <algorithm>

namespace printing {

PreviewArea::PreviewArea(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(Qt::black);
  // The frame's size is rounded where the area's is truncated; it never
  // reaches past the area, so all four sides show.
  int width = std::min(frame_.width(), this->width());
  int height = std::min(frame_.height(), this->height());
  painter.drawRect(QRect(0, 0, width - 1, height - 1));
  if (drawer_) {
    drawer_(painter);
  }
}

}  // namespace printing
