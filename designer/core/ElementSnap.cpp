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

namespace {

// Guide lines as boxes of no size, met on their own axis.
std::vector<MmBox> GuideBoxes(const std::vector<Fixed>& lines) {
  std::vector<MmBox> boxes;
  for (Fixed line : lines) {
    boxes.push_back({line, line, line, line});
  }
  return boxes;
}

}  // namespace

ElementSnap PlaceMove(const MmBox& moving, MmPoint corner, Fixed dx, Fixed dy,
                      const std::vector<MmBox>& others, const Placing& placing) {
  Fixed step = placing.Step();
  ElementSnap placed{SnapTo(corner.x + dx, step) - corner.x, SnapTo(corner.y + dy, step) - corner.y,
                     std::nullopt, std::nullopt};
  if (placing.reach <= Fixed()) {
    return placed;
  }
  if (placing.toElements && placing.grid <= Fixed()) {
    placed = SnapToElements(moving, placed.dx, placed.dy, others, placing.reach);
  }
  if (auto across = Nearest(moving.left, moving.right, placed.dx, GuideBoxes(placing.guidesX), true,
                            placing.reach)) {
    placed.dx = placed.dx + across->first;
    placed.guideX = across->second;
  }
  if (auto down = Nearest(moving.top, moving.bottom, placed.dy, GuideBoxes(placing.guidesY), false,
                          placing.reach)) {
    placed.dy = placed.dy + down->first;
    placed.guideY = down->second;
  }
  return placed;
}

MmPoint PlacePoint(MmPoint to, const Placing& placing, ElementSnap* met) {
  MmBox point{to.x, to.y, to.x, to.y};
  ElementSnap placed =
      PlaceMove(point, to, Fixed(), Fixed(), {},
                Placing{placing.grid, placing.reach, false, placing.guidesX, placing.guidesY});
  if (met != nullptr) {
    *met = placed;
  }
  return {to.x + placed.dx, to.y + placed.dy};
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
