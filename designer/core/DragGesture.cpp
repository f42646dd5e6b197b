#include "designer/core/DragGesture.h"

#include "designer/core/ElementSnap.h"

namespace designer {

namespace {

const Fixed kOneMm = Fixed::FromInt(1);

}  // namespace

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
                                              MmPoint to, bool snap) const {
  if (mode_ == Mode::None || !shape_) {
    return std::nullopt;
  }
  if (mode_ == Mode::Resize) {
    MmPoint target = to;
    if (snap) {
      target = {SnapTo(to.x, kOneMm), SnapTo(to.y, kOneMm)};
    }
    return ResizeElement(document, line_, *shape_, handle_, target);
  }
  Fixed dx = to.x - from.x;
  Fixed dy = to.y - from.y;
  if (snap) {
    // The element's own corner lands on the grid.
    MmPoint corner = shape_->isSegment ? shape_->start : MmPoint{shape_->box.left, shape_->box.top};
    dx = SnapTo(corner.x + dx, kOneMm) - corner.x;
    dy = SnapTo(corner.y + dy, kOneMm) - corner.y;
  }
  guideX_.reset();
  guideY_.reset();
  if (elementSnap_ > Fixed()) {
    ElementSnap met = SnapToElements(shape_->box, dx, dy, others_, elementSnap_);
    dx = met.dx;
    dy = met.dy;
    guideX_ = met.guideX;
    guideY_ = met.guideY;
  }
  if (dx == Fixed() && dy == Fixed()) {
    return std::nullopt;
  }
  return MoveElement(document, line_, dx, dy);
}

void DragGesture::Drag(const StyleDocument& document, MmPoint from, MmPoint to, bool snap) {
  try {
    shown_ = EditFor(document, from, to, snap);
  } catch (...) {
    Cancel();
    throw;
  }
}

std::optional<StyleEdit> DragGesture::Release(const StyleDocument& document, MmPoint from,
                                              MmPoint to, bool snap) {
  if (!shown_) {
    Cancel();  // a click, not a drag
    return std::nullopt;
  }
  std::optional<StyleEdit> edit;
  try {
    edit = EditFor(document, from, to, snap);
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
