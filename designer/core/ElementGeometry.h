#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "designer/core/ElementSchema.h"
#include "layout/core/Fixed.h"

namespace designer {

class StyleDocument;

using layout::Fixed;

struct MmPoint {
  Fixed x;
  Fixed y;
  friend bool operator==(const MmPoint&, const MmPoint&) = default;
};

// A box in millimetres, left <= right and top <= bottom.
struct MmBox {
  Fixed left;
  Fixed top;
  Fixed right;
  Fixed bottom;
  bool Contains(MmPoint p) const {
    return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
  }
  friend bool operator==(const MmBox&, const MmBox&) = default;
};

struct MmSize {
  Fixed width;
  Fixed height;
};

// What the text of a "char"/"data" record and a picture measure as drawn.
// The window measures with its fonts and picture loader; without one (or
// when it returns nothing) the geometry estimates.
class ElementMeasurer {
 public:
  virtual ~ElementMeasurer() = default;
  // The size of `text` in the face, points and style word (all UTF-8).
  virtual std::optional<MmSize> TextSize(const std::string& face, int points,
                                         const std::string& styleWord, const std::string& text) = 0;
  // The natural size of a picture file (its name as written, in UTF-8).
  virtual std::optional<MmSize> PictureSize(const std::string& file) = 0;
};

// The handles of a selection: a line's two ends, a box's corners and edges.
enum class Handle {
  None,
  Start,
  End,
  TopLeft,
  Top,
  TopRight,
  Right,
  BottomRight,
  Bottom,
  BottomLeft,
  Left
};

// Where an element is on the page.
struct ElementShape {
  ElementKind kind = ElementKind::Unknown;
  // Line kinds ("line"): the two points as written; the box spans them.
  bool isSegment = false;
  MmPoint start;
  MmPoint end;
  MmBox box;
  // Whether handles resize it (text is only moved).
  bool resizable = false;
  // Whether its inside is painted: a shape with a brush other than 透明
  // (and a text or picture) is hit anywhere inside; a clear one, and a
  // rect, only on its line, so what lies inside stays clickable.
  bool filled = true;
  // A rounded box: the width and height of the corners' ellipse (mm).
  Fixed cornerWidth;
  Fixed cornerHeight;
  // An arc or chord: the point its start is towards (mm) and the point
  // its end is towards (in the drawing's pixels, as the file has it).
  MmPoint arcStart;
  std::pair<int, int> arcEndPixels;
};

// The shape of line `index` of the document, or nothing for the header, an
// Unknown or Offsets record, or coordinates that do not convert.
std::optional<ElementShape> ShapeOfLine(std::string_view line, ElementMeasurer* measurer);

// The handles an element offers, each with its point.
std::vector<std::pair<Handle, MmPoint>> HandlesOf(const ElementShape& shape);
// The handle within `tolerance` of `point` (the nearest), or None.
Handle HandleAt(const ElementShape& shape, MmPoint point, Fixed tolerance);

// The lines that are elements with a shape, in record order, up to the
// page's end (Tab cycles through them).
std::vector<int> SelectableLines(const StyleDocument& document, ElementMeasurer* measurer);

// The drawing's pixels per millimetre on a 96 dpi screen at 100 %.
inline constexpr Fixed kScreenPixelsPerMm = Fixed::FromRaw(37795);

// The topmost (last in record order) element under `point` as it is drawn
// at `pixelsPerMm`: a line or outline within `tolerance` of the point on
// either side, a painted shape, text or picture also anywhere inside.
std::optional<int> ElementAt(const StyleDocument& document, MmPoint point, Fixed tolerance,
                             ElementMeasurer* measurer, Fixed pixelsPerMm = kScreenPixelsPerMm);

// `value` rounded to the nearest multiple of `step` (halves away from zero).
Fixed SnapTo(Fixed value, Fixed step);

}  // namespace designer
