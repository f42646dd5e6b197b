#include "designer/core/ElementSnap.h"

#include <algorithm>
#include <array>

#include "designer/core/StyleDocument.h"

namespace designer {

namespace {

Fixed Centre(Fixed low, Fixed high) {
  return Fixed::Divide(low + high, Fixed::FromInt(2));
}

Fixed Distance(Fixed a, Fixed b) {
  return a > b ? a - b : b - a;
}

// On one axis: the shift that brings one of the moved box's three lines to
// one of another box's within `tolerance` (the nearest), and the line met.
std::optional<std::pair<Fixed, Fixed>> Nearest(Fixed low, Fixed high, Fixed by,
                                               const std::vector<MmBox>& others, bool across,
                                               Fixed tolerance) {
  std::array<Fixed, 3> moved = {low + by, Centre(low, high) + by, high + by};
  std::optional<std::pair<Fixed, Fixed>> best;
  Fixed bestDistance;
  for (const MmBox& other : others) {
    Fixed otherLow = across ? other.left : other.top;
    Fixed otherHigh = across ? other.right : other.bottom;
    for (Fixed target : {otherLow, Centre(otherLow, otherHigh), otherHigh}) {
      for (Fixed line : moved) {
        Fixed distance = Distance(target, line);
        if (distance <= tolerance && (!best || distance < bestDistance)) {
          best = std::pair{target - line, target};
          bestDistance = distance;
        }
      }
    }
  }
  return best;
}

}  // namespace

ElementSnap SnapToElements(const MmBox& moving, Fixed dx, Fixed dy,
                           const std::vector<MmBox>& others, Fixed tolerance) {
  ElementSnap snap{dx, dy, std::nullopt, std::nullopt};
  if (auto across = Nearest(moving.left, moving.right, dx, others, true, tolerance)) {
    snap.dx = dx + across->first;
    snap.guideX = across->second;
  }
  if (auto down = Nearest(moving.top, moving.bottom, dy, others, false, tolerance)) {
    snap.dy = dy + down->first;
    snap.guideY = down->second;
  }
  return snap;
}

std::vector<MmBox> OtherElementBoxes(const StyleDocument& document, const std::vector<int>& leftOut,
                                     ElementMeasurer* measurer) {
  std::vector<MmBox> boxes;
  for (int line = 1; line < document.PageEnd(); ++line) {
    if (std::binary_search(leftOut.begin(), leftOut.end(), line)) {
      continue;
    }
    if (std::optional<ElementShape> shape = ShapeOfLine(document.Text(line), measurer)) {
      boxes.push_back(shape->box);
    }
  }
  return boxes;
}

}  // namespace designer
