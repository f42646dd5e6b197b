#include "widgets/GradientButton.h"

#include <QLinearGradient>
#include <QPainter>

namespace widgets {

GradientButton::GradientButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
  setCursor(Qt::PointingHandCursor);
}

void GradientButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect r = rect().adjusted(0, 0, -1, -1);
  bool down = isDown();
  QLinearGradient gradient(r.topLeft(), r.bottomLeft());
  gradient.setColorAt(0, down ? QColor(200, 205, 220) : QColor(255, 255, 255));
  gradient.setColorAt(1, down ? QColor(235, 238, 245) : QColor(200, 208, 225));
  painter.fillRect(r, gradient);
  painter.setPen(hasFocus() ? QColor(40, 70, 140) : QColor(120, 125, 140));
  painter.drawRect(r);
  painter.setPen(isEnabled() ? QColor(20, 20, 40) : QColor(150, 150, 150));
  painter.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
}

}  // namespace widgets
