#pragma once

#include <span>
#include <string>
#include <string_view>

namespace designer {

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

// The kind of a line (its keyword compared exactly), as the page drawing
// dispatches it. Line 0 is the style's header, never an element.
ElementKind KindOfLine(std::string_view line);
// The keyword written for a kind ("" for Unknown).
const char* KeywordOfKind(ElementKind kind);
// Whether the kind is a shape whose fields 6 to 9 are two points (line,
// rect, rrect, Arc, Chord, Ellipse, fillrect).
bool IsShapeKind(ElementKind kind);
// The kinds a user can add, in menu order.
std::span<const ElementKind> AddableKinds();
// A short Japanese name of the kind for menus and the panel (UTF-8).
const char* KindName(ElementKind kind);

// How a field is edited and checked.
enum class FieldType {
  Decimal,      // millimetres, four places
  Integer,      // a whole number; other text is a conversion error
  IntegerOr0,   // a whole number; other text counts as 0
  Flag,         // "1" on, anything else off
  Length,       // a whole number, may be empty
  Colour,       // red + 256 green + 65536 blue
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

// One field of an element record: its number, type, a short label and a
// sentence saying what it does (both Japanese, UTF-8).
struct FieldInfo {
  int number;
  FieldType type;
  const char* label;
  const char* meaning;
};

// The fields of a kind in field order, 1 to the last (Unknown and Offsets:
// fields 1 to 5 only).
std::span<const FieldInfo> FieldsOfKind(ElementKind kind);

// The named choices of a name field: the words as written (code page 932)
// with their Japanese gloss (UTF-8). The first entry is the table's default.
struct NamedChoice {
  const char* word;   // CP932 bytes
  const char* gloss;  // UTF-8
};
std::span<const NamedChoice> ChoicesOf(FieldType type);

// Whether `text` (code page 932) is a value the field's readers accept: no
// ";", CR or LF in any field; numbers that convert for Decimal, Integer,
// Flag and Length (Flag and Length may be empty). Returns the message
// (UTF-8) for a value that is refused, else empty.
std::string CheckFieldValue(FieldType type, std::string_view text);

}  // namespace designer
