#pragma once

#include <optional>

#include <vector>

#include "designer/core/ElementGeometry.h"
#include "designer/core/ElementSnap.h"
#include "designer/core/StyleEdits.h"

namespace designer {

// One drag on the page, from press to release: pressing on a handle of the
// selected element resizes it, pressing on an element moves it (it becomes
// the selection). While the button is held the edit is only shown; letting
// go gives the one edit the drag makes, computed from the document as it
// was when the drag began. Positions are millimetres on the page.
class DragGesture {
 public:
  // What a press at a point begins.
  struct Start {
    bool changesSelection = false;  // select `line` (-1: nothing) first
    int line = -1;
  };

  // A press at `at` with line `selected` selected: a handle of the selected
  // element within `tolerance` starts resizing it; else the topmost element
  // under the point as drawn at `pixelsPerMm` is to be selected and starts
  // a move. The window selects as Start says and then calls Begin().
  Start Press(const StyleDocument& document, int selected, MmPoint at, Fixed tolerance,
              ElementMeasurer* measurer, Fixed pixelsPerMm = kScreenPixelsPerMm);
  // Begins the drag that the last Press found (nothing when it found none).
  void Begin();

  // Whether a drag is under way, and whether it has been shown moved.
  bool Active() const { return mode_ != Mode::None; }
  bool Shown() const { return shown_.has_value(); }
  // The edit shown while the button is held; nothing when none is shown.
  const std::optional<StyleEdit>& ShownEdit() const { return shown_; }
  // The line being dragged.
  int Line() const { return line_; }

  // The pointer moved from `from` to `to` with the button held: the edit
  // shown becomes the one for `to`, the element's corner or the handle
  // placed by `placing` (every value written in tenths of a millimetre or
  // on the grid). Throws platform::UserError when a field the edit needs
  // does not convert; the drag is over then.
  void Drag(const StyleDocument& document, MmPoint from, MmPoint to, const Placing& placing);
  // The button let go at `to`: the drag is over, and the edit it makes is
  // returned; nothing when it was never shown moved or moved nowhere.
  // Throws as Drag does.
  std::optional<StyleEdit> Release(const StyleDocument& document, MmPoint from, MmPoint to,
                                   const Placing& placing);
  // Ends the drag without an edit (the document changed under it, or the
  // release never came).
  void Cancel();

  // The lines the element met (element edges or guides), to show.
  std::optional<Fixed> GuideX() const { return guideX_; }
  std::optional<Fixed> GuideY() const { return guideY_; }

 private:
  enum class Mode { None, Move, Resize };

  std::optional<StyleEdit> EditFor(const StyleDocument& document, MmPoint from, MmPoint to,
                                   const Placing& placing) const;

  Mode mode_ = Mode::None;
  Mode pending_ = Mode::None;
  int line_ = -1;
  Handle handle_ = Handle::None;
  std::optional<ElementShape> shape_;  // the element as the drag began
  std::optional<StyleEdit> shown_;
  std::vector<MmBox> others_;  // the other elements' boxes, for a move
  mutable std::optional<Fixed> guideX_;
  mutable std::optional<Fixed> guideY_;
};

}  // namespace designer
