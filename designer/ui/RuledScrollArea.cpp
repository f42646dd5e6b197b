#include "designer/ui/RuledScrollArea.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "designer/core/ElementSnap.h"
#include "designer/ui/DesignerCanvas.h"

namespace designer {

// One ruler: the page's millimetres from its printable area's corner, with
// a tick per millimetre where they are far enough apart, longer ones every
// 5 and 10, and numbers as often as they fit. Dragged out onto the page, it
// gives a guide: from the top ruler a horizontal one, from the left a
// vertical one.
class RuledScrollArea::Ruler : public QWidget {
 public:
  Ruler(bool across, QWidget* parent) : QWidget(parent), across_(across) {
    setObjectName(across ? QStringLiteral("RulerAcross") : QStringLiteral("RulerDown"));
  }
  void SetCanvas(DesignerCanvas* canvas) { canvas_ = canvas; }
  void SetPointer(std::optional<MmPoint> at) {
    pointer_ = at;
    update();
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    dragging_ = event->button() == Qt::LeftButton && canvas_ != nullptr;
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (dragging_) {
      canvas_->ShowPendingGuide(GuideAt(event->position().toPoint()));
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (!dragging_) {
      return;
    }
    dragging_ = false;
    canvas_->ShowPendingGuide(std::nullopt);
    if (auto guide = GuideAt(event->position().toPoint())) {
      canvas_->AddRulerGuide(guide->first, guide->second);
    }
  }

  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    // The window's colours, so the rulers read on a dark palette too.
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Mid));
    if (across_) {
      painter.drawLine(0, height() - 1, width(), height() - 1);
    } else {
      painter.drawLine(width() - 1, 0, width() - 1, height());
    }
    if (canvas_ == nullptr) {
      return;
    }
    // Where the canvas's pixel 0 is in this ruler.
    QPoint shift = canvas_->mapTo(window(), QPoint(0, 0)) - mapTo(window(), QPoint(0, 0));
    auto at = [&](int mm) {
      QPoint p = canvas_->ToPixel({Fixed::FromInt(mm), Fixed::FromInt(mm)}) + shift;
      return across_ ? p.x() : p.y();
    };
    double perMm = std::abs(at(100) - at(0)) / 100.0;
    if (perMm <= 0) {
      return;
    }
    int labelEvery = perMm >= 3 ? 10 : perMm >= 1.2 ? 20 : 50;
    int length = across_ ? width() : height();
    int depth = across_ ? height() : width();
    int first = static_cast<int>(std::floor((0 - at(0)) / perMm)) - 1;
    int last = static_cast<int>(std::ceil((length - at(0)) / perMm)) + 1;
    QFont small = font();
    small.setPixelSize(9);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::ButtonText));
    for (int mm = first; mm <= last; ++mm) {
      int tick = mm % 10 == 0 ? depth / 2 : mm % 5 == 0 ? depth / 3 : perMm >= 4 ? depth / 5 : 0;
      if (tick == 0) {
        continue;
      }
      int p = at(mm);
      if (across_) {
        painter.drawLine(p, depth - tick, p, depth);
      } else {
        painter.drawLine(depth - tick, p, depth, p);
      }
      if (mm % labelEvery == 0) {
        QString text = QString::number(mm);
        if (across_) {
          painter.drawText(p + 2, 10, text);
        } else {
          // Read from below, beside the ticks (which keep to the right
          // half), the minus sign first.
          painter.save();
          painter.translate(1 + QFontMetrics(small).ascent(), p - 2);
          painter.rotate(-90);
          painter.drawText(0, 0, text);
          painter.restore();
        }
      }
    }
    if (pointer_) {
      QPoint p = canvas_->ToPixel(*pointer_) + shift;
      painter.setPen(QColor(0xD0, 0x00, 0x00));
      if (across_) {
        painter.drawLine(p.x(), 0, p.x(), depth);
      } else {
        painter.drawLine(0, p.y(), depth, p.y());
      }
    }
  }

 private:
  // The guide a drag out of this ruler gives with the pointer at `point`
  // (vertical, and where in tenths of a millimetre); none until the pointer
  // is over the page's view.
  std::optional<std::pair<bool, Fixed>> GuideAt(QPoint point) const {
    auto* area = static_cast<QScrollArea*>(parentWidget());
    QPoint inView = area->viewport()->mapFromParent(mapToParent(point));
    if (!area->viewport()->rect().contains(inView)) {
      return std::nullopt;
    }
    MmPoint at = canvas_->ToMm(canvas_->mapFromGlobal(mapToGlobal(point)));
    bool vertical = !across_;
    return std::pair{vertical, SnapTo(vertical ? at.x : at.y, kTenthMm)};
  }

  bool across_;
  DesignerCanvas* canvas_ = nullptr;
  std::optional<MmPoint> pointer_;
  bool dragging_ = false;
};

RuledScrollArea::RuledScrollArea(QWidget* parent) : QScrollArea(parent) {
  across_ = new Ruler(true, this);
  down_ = new Ruler(false, this);
  setViewportMargins(kRulerSize, kRulerSize, 0, 0);
}

void RuledScrollArea::SetCanvas(DesignerCanvas* canvas) {
  canvas_ = canvas;
  across_->SetCanvas(canvas);
  down_->SetCanvas(canvas);
  setWidget(canvas);
  PlaceRulers();
}

void RuledScrollArea::SetPointer(std::optional<MmPoint> at) {
  across_->SetPointer(at);
  down_->SetPointer(at);
}

void RuledScrollArea::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  PlaceRulers();
}

void RuledScrollArea::scrollContentsBy(int dx, int dy) {
  QScrollArea::scrollContentsBy(dx, dy);
  across_->update();
  down_->update();
}

void RuledScrollArea::PlaceRulers() {
  QRect view = viewport()->geometry();
  across_->setGeometry(view.left(), view.top() - kRulerSize, view.width(), kRulerSize);
  down_->setGeometry(view.left() - kRulerSize, view.top(), kRulerSize, view.height());
  across_->update();
  down_->update();
}

}  // namespace designer
