#include "designer/core/NewElements.h"

#include <stdexcept>

#include "designer/core/RecordFields.h"
#include "platform/text/Cp932.h"

namespace designer {

namespace {

// The words a new element is written with, in code page 932.
struct Words {
  std::string solidLine = platform::Utf8ToCp932("実線");
  std::string clearBrush = platform::Utf8ToCp932("枠");
  std::string solidBrush = platform::Utf8ToCp932("塗潰");
  std::string face = platform::Utf8ToCp932("ＭＳ 明朝");
  std::string charText = platform::Utf8ToCp932("文字");
};

const Words& NewWords() {
  static const Words words;
  return words;
}

constexpr Fixed kHalfWidth = Fixed::FromInt(20);
constexpr Fixed kHalfHeight = Fixed::FromInt(10);
constexpr Fixed kHalfPictureHeight = Fixed::FromInt(15);

std::string D(Fixed value) {
  return DecimalText(value);
}

// "text;" for each part.
std::string Fields(std::initializer_list<std::string> parts) {
  std::string line;
  for (const std::string& part : parts) {
    line += part;
    line += ';';
  }
  return line;
}

// A text record whose estimated box is centred on `centre`.
std::string TextLine(const char* keyword, const std::string& text, MmPoint centre) {
  const Words& w = NewWords();
  auto line = [&](Fixed x, Fixed y) {
    return Fields({"0", "0", "0",    "0",  keyword, D(x), D(y), D(x), D(y), "0", "0",
                   "0", "0", w.face, "10", "",      "0",  "0",  "0",  text, "0", "0"});
  };
  std::optional<ElementShape> at0 = ShapeOfLine(line(Fixed(), Fixed()), nullptr);
  Fixed width = at0->box.right - at0->box.left;
  Fixed height = at0->box.bottom - at0->box.top;
  Fixed two = Fixed::FromInt(2);
  return line(centre.x - Fixed::Divide(width, two), centre.y - Fixed::Divide(height, two));
}

}  // namespace

std::string NewElementLine(ElementKind kind, MmPoint centre) {
  const Words& w = NewWords();
  std::string left = D(centre.x - kHalfWidth);
  std::string right = D(centre.x + kHalfWidth);
  std::string top = D(centre.y - kHalfHeight);
  std::string bottom = D(centre.y + kHalfHeight);
  const std::string white = "16777215";
  switch (kind) {
    case ElementKind::Line:
      return Fields({"0", "0", "0", "0", "line", left, D(centre.y), right, D(centre.y), "2",
                     w.solidLine, "0", "0"});
    case ElementKind::Rect:
      return Fields(
          {"0", "0", "0", "0", "rect", left, top, right, bottom, "2", w.solidLine, "0", "0"});
    case ElementKind::RoundRect:
      return Fields({"0", "0", "0", "0", "rrect", left, top, right, bottom, "3", "3", "2",
                     w.solidLine, "0", w.clearBrush, white, "0"});
    case ElementKind::Arc:
    case ElementKind::Chord: {
      // The arc starts at the right of the centre and runs round to the
      // left (the end point lies at the page's corner).
      std::string startX = std::to_string((centre.x + kHalfWidth).Trunc());
      std::string startY = std::to_string(centre.y.Trunc());
      return Fields({"0", "0", "0", "0", KeywordOfKind(kind), left, top, right, bottom, startX,
                     startY, "0", "0", "2", w.solidLine, "0", w.clearBrush, white, "0"});
    }
    case ElementKind::Ellipse:
      return Fields({"0", "0", "0", "0", "Ellipse", left, top, right, bottom, "2", w.solidLine, "0",
                     w.clearBrush, white, "0"});
    case ElementKind::FillRect:
      // Layer 1: framed.
      return Fields(
          {"1", "0", "0", "0", "fillrect", left, top, right, bottom, w.solidBrush, "0", "0", "0"});
    case ElementKind::Char: return TextLine("char", w.charText, centre);
    case ElementKind::Data: return TextLine("data", "#T", centre);  // the report's title
    case ElementKind::Image:
      return Fields({"0", "0", "0", "0", "image", left, D(centre.y - kHalfPictureHeight), "40",
                     "30", "1", "0", "0", ""});
    case ElementKind::Offsets:
    case ElementKind::Unknown: break;
  }
  throw std::invalid_argument("NewElementLine: not an addable kind");
}

}  // namespace designer
