#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The fields of each kind of style element, declared once: their order, how
// the page drawing reads them, the value a new element gets and what each
// means. The designer's panel, its new elements and the tests of the
// element drawers all take them from here.
namespace layout {

// The kinds of element records, by their keyword (field 5).
enum class ElementKind {
  Line,       // "line"
  Rect,       // "rect"
  RoundRect,  // "rrect"
  Arc,        // "Arc"
  Chord,      // "Chord"
  Ellipse,    // "Ellipse"
  FillRect,   // "fillrect"
  Char,       // "char"
  Data,       // "data"
  Image,      // "image"
  Offsets,    // "header" inside the page: switches the offsets on
  Unknown,    // any other keyword: not drawn
};

// The kind of a keyword, compared exactly as the page drawing does.
ElementKind KindOfKeyword(std::string_view keyword);
// The keyword written for a kind ("" for Unknown).
const char* KeywordOfKind(ElementKind kind);
// Whether the kind is a shape whose fields 6 to 9 are two points (line,
// rect, rrect, Arc, Chord, Ellipse, fillrect).
bool IsShapeKind(ElementKind kind);

// How the page drawing reads a field, and so how it is edited and checked.
enum class FieldType {
  Decimal,      // millimetres, four places; other text stops the drawing
  Integer,      // a whole number; other text stops the drawing
  IntegerOr0,   // a whole number; other text counts as 0
  Flag,         // "1" on, empty or another number off; other text stops the drawing
  FlagOr0,      // "1" on, anything else off
  Length,       // a whole number, may be empty; other text stops the drawing
  Colour,       // red + 256 green + 65536 blue; other text counts as 0 (black)
  PenName,      // line kind names
  BrushName,    // brush names
  FontStyle,    // font style names
  FontFace,     // a font face name
  TextMode,     // 0 plain, 1 vertical, 2 clip-filled, 3 gradient, 4 rotated
  SizeMode,     // image: 0 natural size, other: fields 8 and 9
  Text,         // any text without ";"
  PictureFile,  // a picture file name
  Keyword,      // field 5: the kind, not edited
  Kept,         // fields 2 to 4 and unused fields: kept as written
};

// One field of an element record: its number, how it is read, the value a
// new element is written with (UTF-8; positions are placed by whoever adds
// the element), a short label and a sentence saying what it does (both
// Japanese, UTF-8).
struct FieldInfo {
  int number;
  FieldType type;
  const char* byDefault;
  const char* label;
  const char* meaning;
};

// The field of kind `to` that means what field `field` of kind `from`
// means: the one with the same label; a spare field, whose meaning is
// unknown, only as the same spare field of the other kind. Nothing when
// `to` has no such field, or `from` has no field `field`. The numbers do
// not tell: field 12 is a line's colour and a text's rotation.
std::optional<int> FieldOfSameMeaning(ElementKind from, int field, ElementKind to);

// Whether the page drawing stops, with the program's conversion message, at
// a field of this type that holds text that is not a number.
bool StopsOnText(FieldType type);

// The fields of a kind in field order, 1 to the last (Unknown and Offsets:
// fields 1 to 5 only).
std::span<const FieldInfo> FieldsOfKind(ElementKind kind);

// The fields of a new element of `kind` as a style file holds them (code
// page 932): every field's default, the keyword in field 5.
std::vector<std::string> DefaultFields(ElementKind kind);

}  // namespace layout
