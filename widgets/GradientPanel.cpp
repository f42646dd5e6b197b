#include "widgets/GradientPanel.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

namespace widgets {

GradientPanel::GradientPanel(QWidget* parent)
    : QFrame(parent), from_(QColor(83, 85, 108)), to_(QColor(83, 85, 108)) {}

void GradientPanel::SetColors(const QColor& from, const QColor& to) {
  from_ = from;
  to_ = to;
  update();
}

void GradientPanel::SetHorizontal(bool horizontal) {
  horizontal_ = horizontal;
  update();
}

void GradientPanel::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void GradientPanel::SetCaptionStyle(const QColor& color, int pixelSize, bool bold,
                                    Qt::Alignment alignment) {
  captionColor_ = color;
  captionPixelSize_ = pixelSize;
  captionBold_ = bold;
  captionAlignment_ = alignment;
  update();
}

void GradientPanel::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QLinearGradient gradient(rect().topLeft(), horizontal_ ? rect().topRight() : rect().bottomLeft());
  gradient.setColorAt(0, from_);
  gradient.setColorAt(1, to_);
  painter.fillRect(rect(), gradient);
  if (!caption_.isEmpty()) {
    painter.setFont(CaptionFont());
    painter.setPen(captionColor_);
    painter.drawText(rect().adjusted(4, 0, -4, 0), static_cast<int>(captionAlignment_), caption_);
  }
  QFrame::paintEvent(event);
}

QFont GradientPanel::CaptionFont() const {
  QFont f = font();
  f.setPixelSize(captionPixelSize_);
  f.setBold(captionBold_);
  return f;
}

QSize GradientPanel::minimumSizeHint() const {
  QSize hint = QFrame::minimumSizeHint().expandedTo(QSize(0, 0));
  if (caption_.isEmpty()) {
    return hint;
  }
  QFontMetrics metrics(CaptionFont());
  return hint.expandedTo(QSize(metrics.horizontalAdvance(caption_) + 8, metrics.height() + 4));
}

}  // namespace widgets
