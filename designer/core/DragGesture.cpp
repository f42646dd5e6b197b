#include "designer/core/DragGesture.h"

#include "designer/core/ElementSnap.h"

namespace designer {

DragGesture::Start DragGesture::Press(const StyleDocument& document, int selected, MmPoint at,
                                      Fixed tolerance, ElementMeasurer* measurer,
                                      Fixed pixelsPerMm) {
  Cancel();
  pending_ = Mode::None;
  std::optional<ElementShape> current;
  if (selected > 0 && selected < document.LineCount()) {
    current = ShapeOfLine(document.Text(selected), measurer);
  }
  if (current && current->resizable) {
    Handle handle = HandleAt(*current, at, tolerance);
    if (handle != Handle::None) {
      pending_ = Mode::Resize;
      line_ = selected;
      handle_ = handle;
      shape_ = current;
      return {};
    }
  }
  std::optional<int> hit = ElementAt(document, at, tolerance, measurer, pixelsPerMm);
  if (hit) {
    pending_ = Mode::Move;
    line_ = *hit;
    handle_ = Handle::None;
    shape_ = ShapeOfLine(document.Text(*hit), measurer);
    others_ = OtherElementBoxes(document, {*hit}, measurer);
  }
  return {true, hit.value_or(-1)};
}

void DragGesture::Begin() {
  mode_ = pending_;
  pending_ = Mode::None;
  shown_.reset();
}

void DragGesture::Cancel() {
  mode_ = Mode::None;
  shown_.reset();
  guideX_.reset();
  guideY_.reset();
}

std::optional<StyleEdit> DragGesture::EditFor(const StyleDocument& document, MmPoint from,
                                              MmPoint to, const Placing& placing) const {
  if (mode_ == Mode::None || !shape_) {
    return std::nullopt;
  }
  guideX_.reset();
  guideY_.reset();
  if (mode_ == Mode::Resize) {
    ElementSnap met;
    MmPoint target = PlacePoint(to, placing, &met);
    guideX_ = met.guideX;
    guideY_ = met.guideY;
    return ResizeElement(document, line_, *shape_, handle_, target, kTenthMm);
  }
  // The element's own corner lands on the grid (or a tenth).
  MmPoint corner = shape_->isSegment ? shape_->start : MmPoint{shape_->box.left, shape_->box.top};
  ElementSnap met = PlaceMove(shape_->box, corner, to.x - from.x, to.y - from.y, others_, placing);
  guideX_ = met.guideX;
  guideY_ = met.guideY;
  if (met.dx == Fixed() && met.dy == Fixed()) {
    return std::nullopt;
  }
  return MoveElement(document, line_, met.dx, met.dy, kTenthMm);
}

void DragGesture::Drag(const StyleDocument& document, MmPoint from, MmPoint to,
                       const Placing& placing) {
  try {
    shown_ = EditFor(document, from, to, placing);
  } catch (...) {
    Cancel();
    throw;
  }
}

std::optional<StyleEdit> DragGesture::Release(const StyleDocument& document, MmPoint from,
                                              MmPoint to, const Placing& placing) {
  if (!shown_) {
    Cancel();  // a click, not a drag
    return std::nullopt;
  }
  std::optional<StyleEdit> edit;
  try {
    edit = EditFor(document, from, to, placing);
  } catch (...) {
    Cancel();
    throw;
  }
  Cancel();
  if (edit && edit->inserted == edit->removed) {
    return std::nullopt;  // back where it began
  }
  return edit;
}

}  // namespace designer
