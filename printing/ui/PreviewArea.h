#pragma once

#include <QWidget>
#include <functional>

namespace printing {

// The printable area of the preview: white, a one-pixel frame, and the page
// drawn by the window's drawing function on every repaint.
class PreviewArea : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewArea(QWidget* parent = nullptr);

  // Draws the page with the given painter (set by the print window).
  void SetDrawer(std::function<void(QPainter&)> drawer) { drawer_ = std::move(drawer); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<void(QPainter&)> drawer_;
};

}  // namespace printing
