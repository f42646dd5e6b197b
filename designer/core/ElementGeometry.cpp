#include "designer/core/ElementGeometry.h"

#include <algorithm>
#include <cmath>

#include "designer/core/RecordFields.h"
#include "designer/core/ShapeHits.h"
#include "designer/core/StyleDocument.h"
#include "layout/core/NameTables.h"
#include "layout/core/TextElement.h"
#include "platform/text/Cp932.h"

namespace designer {

namespace {

// As the text drawing holds them: font sizes up to 2000 points, at most
// 4096 bytes (of code page 932) of text drawn.
constexpr int kMaxFontPoints = 2000;
constexpr int kDrawnTextBytes = 4096;

// A picture whose natural size is not known is shown this large.
constexpr Fixed kUnknownPictureSide = Fixed::FromInt(20);

MmBox BoxOf(Fixed x1, Fixed y1, Fixed x2, Fixed y2) {
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

Fixed Half(Fixed a, Fixed b) {
  return Fixed::FromRaw(static_cast<std::int64_t>((static_cast<__int128>(a.Raw()) + b.Raw()) / 2));
}

Fixed Abs(Fixed v) {
  return v < Fixed() ? -v : v;
}

double ToDouble(Fixed v) {
  return static_cast<double>(v.Raw()) / Fixed::kOne;
}

std::optional<ElementShape> TextShape(const RecordFields& f, ElementKind kind,
                                      ElementMeasurer* measurer) {
  std::optional<Fixed> x = f.Decimal(6);
  std::optional<Fixed> y = f.Decimal(7);
  if (!x || !y) {
    return std::nullopt;
  }
  int points = std::clamp(f.Integer(15).value_or(0), 0, kMaxFontPoints);
  int mode = f.Integer(17).value_or(layout::kModePlain);
  int angle = f.Integer(12).value_or(0);
  Fixed pitch = f.Decimal(18).value_or(Fixed());
  int maxLength = f.Integer(22).value_or(0);
  // Measured as the page drawing draws it: in UTF-8, cut as it cuts.
  std::string text = layout::LimitTextLength(
      layout::LimitTextLength(platform::DecodeCp932(f.Get(20)), maxLength), kDrawnTextBytes);
  std::int64_t stepped = static_cast<std::int64_t>(layout::SteppedCharacters(text).size());

  std::optional<MmSize> size;
  if (measurer != nullptr) {
    size = measurer->TextSize(platform::DecodeCp932(f.Get(14)), points,
                              platform::DecodeCp932(f.Get(16)), text);
  }
  if (!size) {
    // A character is as high as its point size and half as wide per byte
    // of code page 932.
    Fixed height = Fixed::Divide(Fixed::Multiply(Fixed::FromInt(points), Fixed::FromRaw(254000)),
                                 Fixed::FromInt(72));
    Fixed width = Fixed::Divide(static_cast<std::int64_t>(platform::Cp932Length(text)) * height,
                                Fixed::FromInt(2));
    size = MmSize{width, height};
  }

  ElementShape shape;
  shape.kind = kind;
  // A rotated text is given its unrotated box: enough to find and move it,
  // though the drawn text turns about the reference point.
  bool rotated = angle != 0 || mode == layout::kModeRotated;
  bool plain = mode == layout::kModePlain || mode == layout::kModeClipFilled ||
               mode == layout::kModeGradient;
  Fixed width = size->width;
  Fixed height = size->height;
  Fixed left = *x;
  Fixed top = *y;
  if (rotated || plain) {
    if (mode == layout::kModePlain && !rotated && pitch != Fixed()) {
      // Stepped character by character along X.
      width = stepped * Abs(pitch);
      if (pitch < Fixed()) {
        left = left - width;
      }
    }
  } else {
    // Vertical (and every other mode number): one character wide, stepped
    // down by the pitch, half the point size in millimetres by default.
    Fixed step = pitch == Fixed()
                     ? Fixed::FromRaw(static_cast<std::int64_t>(points) * Fixed::kOne / 2)
                     : Abs(pitch);
    width = size->height;
    height = stepped * step;
    if (pitch < Fixed()) {
      top = top - height;
    }
  }
  shape.box = BoxOf(left, top, left + width, top + height);
  shape.start = {left, top};
  shape.end = {shape.box.right, shape.box.bottom};
  shape.resizable = false;
  return shape;
}

std::optional<ElementShape> ImageShape(const RecordFields& f, ElementMeasurer* measurer) {
  std::optional<Fixed> x = f.Decimal(6);
  std::optional<Fixed> y = f.Decimal(7);
  if (!x || !y) {
    return std::nullopt;
  }
  Fixed w = f.Decimal(8).value_or(Fixed());
  Fixed h = f.Decimal(9).value_or(Fixed());
  int sizeMode = f.Integer(10).value_or(0);
  bool zeroW = w == Fixed();
  bool zeroH = h == Fixed();
  std::optional<MmSize> natural;
  if (measurer != nullptr && (sizeMode == 0 || zeroW || zeroH)) {
    natural = measurer->PictureSize(platform::DecodeCp932(f.Get(13)));
    if (natural && (natural->width <= Fixed() || natural->height <= Fixed())) {
      natural.reset();
    }
  }
  if (sizeMode != 0 && !(zeroW && zeroH)) {
    if (zeroW || zeroH) {
      if (natural) {
        // The missing side from the given one by the picture's proportions,
        // in whole millimetres, as the drawing makes it.
        auto derived = [](Fixed other, Fixed num, Fixed den) {
          double mm = std::trunc(ToDouble(num) * ToDouble(other) / ToDouble(den) + 0.5);
          double limit = static_cast<double>(Fixed::kMaxRaw / Fixed::kOne);
          return Fixed::FromInt(static_cast<std::int64_t>(std::clamp(mm, -limit, limit)));
        };
        if (zeroH) {
          h = derived(w, natural->height, natural->width);
        } else {
          w = derived(h, natural->width, natural->height);
        }
      } else {
        (zeroW ? w : h) = zeroW ? h : w;  // a square until the picture is known
      }
    }
  } else if (natural) {
    w = natural->width;
    h = natural->height;
  } else {
    w = h = kUnknownPictureSide;
  }
  ElementShape shape;
  shape.kind = ElementKind::Image;
  shape.box = BoxOf(*x, *y, *x + w, *y + h);
  shape.start = {*x, *y};
  shape.end = {*x + w, *y + h};
  shape.resizable = true;
  return shape;
}

// What a shape's record says of how it is drawn, beyond its corners: the
// brush (a shape painted inside is hit there), a rounded box's corners and
// an arc's or chord's ends.
void ReadDrawing(const RecordFields& f, ElementShape& shape) {
  auto painted = [&](int brushField) {
    return !layout::KeepsBrushClear(platform::DecodeCp932(f.Get(brushField)));
  };
  switch (shape.kind) {
    case ElementKind::Rect: shape.filled = false; break;
    case ElementKind::FillRect:
      // No colour is given to its brush, so a clear one stays clear.
      shape.filled =
          layout::BrushStyleFromName(platform::DecodeCp932(f.Get(10))) != layout::BrushStyle::Clear;
      break;
    case ElementKind::RoundRect:
      shape.cornerWidth = f.Decimal(10).value_or(Fixed());
      shape.cornerHeight = f.Decimal(11).value_or(Fixed());
      shape.filled = painted(15);
      break;
    case ElementKind::Ellipse: shape.filled = painted(13); break;
    case ElementKind::Arc:
    case ElementKind::Chord:
      shape.arcStart = {Fixed::FromInt(f.Integer(10).value_or(0)),
                        Fixed::FromInt(f.Integer(11).value_or(0))};
      shape.arcEndPixels = {f.Integer(12).value_or(0), f.Integer(13).value_or(0)};
      shape.filled = shape.kind == ElementKind::Chord && painted(17);
      break;
    default: break;
  }
}

}  // namespace

std::optional<ElementShape> ShapeOfLine(std::string_view line, ElementMeasurer* measurer) {
  ElementKind kind = KindOfLine(line);
  RecordFields f(line);
  if (IsShapeKind(kind)) {
    std::optional<Fixed> x1 = f.Decimal(6);
    std::optional<Fixed> y1 = f.Decimal(7);
    std::optional<Fixed> x2 = f.Decimal(8);
    std::optional<Fixed> y2 = f.Decimal(9);
    if (!x1 || !y1 || !x2 || !y2) {
      return std::nullopt;
    }
    ElementShape shape;
    shape.kind = kind;
    shape.isSegment = kind == ElementKind::Line;
    shape.start = {*x1, *y1};
    shape.end = {*x2, *y2};
    shape.box = BoxOf(*x1, *y1, *x2, *y2);
    shape.resizable = true;
    ReadDrawing(f, shape);
    return shape;
  }
  switch (kind) {
    case ElementKind::Char:
    case ElementKind::Data: return TextShape(f, kind, measurer);
    case ElementKind::Image: return ImageShape(f, measurer);
    default: return std::nullopt;
  }
}

std::vector<std::pair<Handle, MmPoint>> HandlesOf(const ElementShape& shape) {
  if (!shape.resizable) {
    return {};
  }
  if (shape.isSegment) {
    return {{Handle::Start, shape.start}, {Handle::End, shape.end}};
  }
  const MmBox& b = shape.box;
  Fixed midX = Half(b.left, b.right);
  Fixed midY = Half(b.top, b.bottom);
  return {{Handle::TopLeft, {b.left, b.top}},         {Handle::Top, {midX, b.top}},
          {Handle::TopRight, {b.right, b.top}},       {Handle::Right, {b.right, midY}},
          {Handle::BottomRight, {b.right, b.bottom}}, {Handle::Bottom, {midX, b.bottom}},
          {Handle::BottomLeft, {b.left, b.bottom}},   {Handle::Left, {b.left, midY}}};
}

Handle HandleAt(const ElementShape& shape, MmPoint point, Fixed tolerance) {
  Handle nearest = Handle::None;
  double best = 0;
  double limit = ToDouble(tolerance);
  for (const auto& [handle, at] : HandlesOf(shape)) {
    double distance = std::hypot(ToDouble(point.x - at.x), ToDouble(point.y - at.y));
    if (distance <= limit && (nearest == Handle::None || distance < best)) {
      nearest = handle;
      best = distance;
    }
  }
  return nearest;
}

std::vector<int> SelectableLines(const StyleDocument& document, ElementMeasurer* measurer) {
  std::vector<int> lines;
  for (int i = 1; i < document.PageEnd(); ++i) {
    if (ShapeOfLine(document.Text(i), measurer)) {
      lines.push_back(i);
    }
  }
  return lines;
}

std::optional<int> ElementAt(const StyleDocument& document, MmPoint point, Fixed tolerance,
                             ElementMeasurer* measurer, Fixed pixelsPerMm) {
  for (int i = document.PageEnd() - 1; i >= 1; --i) {
    std::optional<ElementShape> shape = ShapeOfLine(document.Text(i), measurer);
    if (!shape) {
      continue;
    }
    if (HitsAsDrawn(*shape, point, tolerance, pixelsPerMm)) {
      return i;
    }
  }
  return std::nullopt;
}

Fixed SnapTo(Fixed value, Fixed step) {
  if (step <= Fixed()) {
    return value;
  }
  __int128 v = value.Raw();
  __int128 s = step.Raw();
  __int128 q = v / s;
  __int128 r = v % s;
  int away = v < 0 ? -1 : 1;
  // Halves away from zero, unless that multiple is beyond what a field holds.
  if (2 * (r < 0 ? -r : r) >= s && (q + away) * s * away <= Fixed::kMaxRaw) {
    q += away;
  }
  return Fixed::FromRaw(static_cast<std::int64_t>(q * s));
}

}  // namespace designer
