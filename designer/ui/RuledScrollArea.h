#pragma once

#include <QScrollArea>
#include <optional>

#include "designer/core/ElementGeometry.h"

namespace designer {

class DesignerCanvas;

// The scroll area of the designer's page with rulers in millimetres along
// its top and left, which follow the page as it scrolls and zooms and mark
// where the pointer is.
class RuledScrollArea : public QScrollArea {
 public:
  explicit RuledScrollArea(QWidget* parent = nullptr);
  // The page the rulers measure (also set as the area's widget).
  void SetCanvas(DesignerCanvas* canvas);
  void SetPointer(std::optional<MmPoint> at);
  // Draws the rulers again (after the page's zoom or sheet changed).
  void RefreshRulers() { PlaceRulers(); }
  // The rulers' widths in pixels.
  static constexpr int kRulerSize = 22;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  class Ruler;
  void PlaceRulers();

  DesignerCanvas* canvas_ = nullptr;
  Ruler* across_ = nullptr;
  Ruler* down_ = nullptr;
};

}  // namespace designer
