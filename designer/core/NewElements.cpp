#include "designer/core/NewElements.h"

#include <stdexcept>

#include "designer/core/RecordFields.h"

namespace designer {

namespace {

constexpr Fixed kHalfWidth = Fixed::FromInt(20);
constexpr Fixed kHalfHeight = Fixed::FromInt(10);
constexpr Fixed kHalfPictureHeight = Fixed::FromInt(15);

// Each field followed by ";".
std::string Joined(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) {
    line += field;
    line += ';';
  }
  return line;
}

// Field `number` (from 1) of a record's fields.
std::string& FieldOf(std::vector<std::string>& fields, int number) {
  return fields.at(static_cast<std::size_t>(number) - 1);
}

// A text record whose estimated box is centred on `centre`.
std::string TextLine(ElementKind kind, MmPoint centre) {
  std::vector<std::string> fields = layout::DefaultFields(kind);
  auto at = [&](Fixed x, Fixed y) {
    for (int number : {6, 8}) {
      FieldOf(fields, number) = DecimalText(x);
      FieldOf(fields, number + 1) = DecimalText(y);
    }
    return Joined(fields);
  };
  std::optional<ElementShape> at0 = ShapeOfLine(at(Fixed(), Fixed()), nullptr);
  Fixed width = at0->box.right - at0->box.left;
  Fixed height = at0->box.bottom - at0->box.top;
  Fixed two = Fixed::FromInt(2);
  return at(centre.x - Fixed::Divide(width, two), centre.y - Fixed::Divide(height, two));
}

}  // namespace

std::string NewElementLine(ElementKind kind, MmPoint centre) {
  switch (kind) {
    case ElementKind::Char:
    case ElementKind::Data: return TextLine(kind, centre);
    case ElementKind::Offsets:
    case ElementKind::Unknown: throw std::invalid_argument("NewElementLine: not an addable kind");
    default: break;
  }
  std::vector<std::string> fields = layout::DefaultFields(kind);
  Fixed left = centre.x - kHalfWidth;
  if (kind == ElementKind::Image) {
    FieldOf(fields, 6) = DecimalText(left);
    FieldOf(fields, 7) = DecimalText(centre.y - kHalfPictureHeight);
    return Joined(fields);
  }
  // A 40 by 20 mm box round the centre; a line across its middle.
  Fixed right = centre.x + kHalfWidth;
  bool line = kind == ElementKind::Line;
  FieldOf(fields, 6) = DecimalText(left);
  FieldOf(fields, 7) = DecimalText(line ? centre.y : centre.y - kHalfHeight);
  FieldOf(fields, 8) = DecimalText(right);
  FieldOf(fields, 9) = DecimalText(line ? centre.y : centre.y + kHalfHeight);
  if (kind == ElementKind::Arc || kind == ElementKind::Chord) {
    // The arc starts at the right of the centre and runs round to the
    // left (the end point lies at the page's corner).
    FieldOf(fields, 10) = std::to_string(right.Trunc());
    FieldOf(fields, 11) = std::to_string(centre.y.Trunc());
  }
  return Joined(fields);
}

}  // namespace designer
