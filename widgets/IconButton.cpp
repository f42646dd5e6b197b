#include "widgets/IconButton.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace widgets {

IconButton::IconButton(const QPixmap& picture, QWidget* parent) : QLabel(parent) {
  setPixmap(picture);
  setFixedSize(picture.deviceIndependentSize().toSize());
}

QPixmap ProgramEmblem(int size, qreal pixelRatio) {
  if (pixelRatio <= 0) {
    pixelRatio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
  }
  QPixmap pixmap(QSize(size, size) * pixelRatio);
  pixmap.setDevicePixelRatio(pixelRatio);  // drawn in screen pixels, kept in device pixels
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  qreal s = size;
  // The sheet.
  painter.setPen(QPen(QColor(40, 60, 110), s / 24));
  painter.setBrush(QColor(250, 250, 255));
  painter.drawRect(QRectF(s * 0.18, s * 0.10, s * 0.56, s * 0.78));
  painter.setPen(QPen(QColor(150, 160, 190), s / 32));
  for (int i = 0; i < 4; ++i) {
    qreal y = s * (0.30 + 0.14 * i);
    painter.drawLine(QPointF(s * 0.26, y), QPointF(s * 0.60, y));
  }
  // The quill.
  QPainterPath quill;
  quill.moveTo(s * 0.92, s * 0.06);
  quill.cubicTo(s * 0.70, s * 0.20, s * 0.55, s * 0.45, s * 0.46, s * 0.80);
  quill.cubicTo(s * 0.62, s * 0.55, s * 0.80, s * 0.35, s * 0.92, s * 0.06);
  painter.setPen(QPen(QColor(20, 90, 60), s / 40));
  painter.setBrush(QColor(40, 160, 100));
  painter.drawPath(quill);
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addPixmap(ProgramEmblem(size, 1));
  }
  return icon;
}

}  // namespace widgets
