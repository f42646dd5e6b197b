#include "widgets/FontFit.h"

#include <QFontMetrics>
#include <QWidget>
#include <algorithm>

namespace widgets {

namespace {

constexpr int kCaptionPaddingX = 6;
constexpr int kCaptionPaddingY = 4;

}  // namespace

QSize RoomForCaption(const QWidget& widget, const QString& caption) {
  QString shown = caption;
  shown.remove(QLatin1Char('&'));
  QFontMetrics metrics = widget.fontMetrics();
  return {metrics.horizontalAdvance(shown) + kCaptionPaddingX, metrics.height() + kCaptionPaddingY};
}

void FixSizeForCaption(QWidget& widget, QSize designed, const QString& caption) {
  widget.setFixedSize(designed.expandedTo(RoomForCaption(widget, caption)));
}

void FixHeightForCaption(QWidget& widget, int designed) {
  widget.setFixedHeight(std::max(designed, RoomForCaption(widget, QString()).height()));
}

void FixHeightForContents(QWidget& widget, int designed) {
  widget.setFixedHeight(std::max(designed, widget.minimumSizeHint().height()));
}

void FixWidthForContents(QWidget& widget, int designed) {
  widget.setFixedWidth(std::max(designed, widget.minimumSizeHint().width()));
}

}  // namespace widgets
