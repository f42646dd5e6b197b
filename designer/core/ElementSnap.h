#pragma once

#include <optional>
#include <vector>

#include "designer/core/ElementGeometry.h"

namespace designer {

// A move of a box made to land its edge or centre on another element's
// edge or centre, where one is near: the offsets to use and the lines met
// (a vertical guide at x, a horizontal one at y).
struct ElementSnap {
  Fixed dx;
  Fixed dy;
  std::optional<Fixed> guideX;
  std::optional<Fixed> guideY;
};

// `moving` moved by (dx, dy): on each axis the nearest meeting of its left,
// centre or right (top, centre, bottom) with those of `others`, within
// `tolerance`, takes the offset; an axis with none keeps its own.
ElementSnap SnapToElements(const MmBox& moving, Fixed dx, Fixed dy,
                           const std::vector<MmBox>& others, Fixed tolerance);

// The boxes of the page's elements but `leftOut` (sorted lines), as the
// other elements a move may meet.
std::vector<MmBox> OtherElementBoxes(const StyleDocument& document, const std::vector<int>& leftOut,
                                     ElementMeasurer* measurer);

}  // namespace designer
