#pragma once

#include <optional>

#include "layout/core/Fixed.h"

class QWidget;

namespace designer {

// How the selection is laid out again: `across` × `down` places (the
// original first), `pitchX` and `pitchY` millimetres apart.
struct RepeatChoice {
  int across = 1;
  int down = 2;
  layout::Fixed pitchX;
  layout::Fixed pitchY;
};

// 「繰り返し配置」: the counts and pitches, starting from `suggested`;
// nothing when cancelled.
std::optional<RepeatChoice> AskRepeat(QWidget* parent, const RepeatChoice& suggested);

// The distance between two rows, asked when the style has no second row to
// take it from; nothing when cancelled.
std::optional<layout::Fixed> AskRowPitch(QWidget* parent, layout::Fixed suggested);

}  // namespace designer
