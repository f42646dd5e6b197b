#pragma once

#include <optional>
#include <utility>
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

// Where a pointer edit puts what it moves or resizes. Every coordinate it
// writes is a whole number of tenths of a millimetre, or on the grid.
inline constexpr Fixed kTenthMm = Fixed::FromRaw(Fixed::kOne / 10);

struct Placing {
  Fixed grid;                  // the grid's step; 0: no grid, tenths only
  Fixed reach;                 // how near a guide or an edge takes it; 0: none
  bool toElements = false;     // meets other elements' edges and centres (grid off)
  std::vector<Fixed> guidesX;  // vertical guide lines, mm across
  std::vector<Fixed> guidesY;  // horizontal guide lines, mm down

  Fixed Step() const { return grid > Fixed() ? grid : kTenthMm; }
};

// A move of `moving` (its corner `corner`, which lands on the step) by
// (dx, dy), placed: on the grid or tenths; then, within the reach, to other
// elements' edges and centres (when asked, and without a grid) and to the
// guides, which win. The offsets and the lines met.
ElementSnap PlaceMove(const MmBox& moving, MmPoint corner, Fixed dx, Fixed dy,
                      const std::vector<MmBox>& others, const Placing& placing);
// A point a handle or a drop goes to, placed as a move's corner is (the
// guides within reach, else the step); the guide lines met in `met`.
MmPoint PlacePoint(MmPoint to, const Placing& placing, ElementSnap* met = nullptr);

// The boxes of the page's elements but `leftOut` (sorted lines), as the
// other elements a move may meet.
std::vector<MmBox> OtherElementBoxes(const StyleDocument& document, const std::vector<int>& leftOut,
                                     ElementMeasurer* measurer);

}  // namespace designer
