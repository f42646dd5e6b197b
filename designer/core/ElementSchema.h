#pragma once

#include <span>
#include <string>
#include <string_view>

#include "layout/core/ElementFields.h"

namespace designer {

// The kinds of element and their fields, as the page drawing reads them.
using layout::ElementKind;
using layout::FieldInfo;
using layout::FieldsOfKind;
using layout::FieldType;
using layout::IsShapeKind;
using layout::KeywordOfKind;

// The kind of a line (its keyword compared exactly), as the page drawing
// dispatches it. Line 0 is the style's header, never an element.
ElementKind KindOfLine(std::string_view line);
// The kinds a user can add, in menu order.
std::span<const ElementKind> AddableKinds();
// A short Japanese name of the kind for menus and the panel (UTF-8).
const char* KindName(ElementKind kind);

// The named choices of a name field: the words as written (code page 932)
// with their Japanese gloss (UTF-8). The first entry is the table's default.
struct NamedChoice {
  const char* word;   // CP932 bytes
  const char* gloss;  // UTF-8
};
// A brush's gloss says what the page drawing paints with it in an element
// of `kind`: "枠" fills with the brush colour in a round box, ellipse or
// chord but paints nothing in a filled box, and an arc is never filled.
std::span<const NamedChoice> ChoicesOf(FieldType type, ElementKind kind = ElementKind::Unknown);

// Whether `text` (code page 932) is a value the field's readers accept: no
// ";", CR or LF in any field; numbers that convert for Decimal, Integer,
// Flag and Length (Flag and Length may be empty). Returns the message
// (UTF-8) for a value that is refused, else empty.
std::string CheckFieldValue(FieldType type, std::string_view text);

}  // namespace designer
