#pragma once

#include <optional>
#include <string>
#include <vector>

#include "designer/core/ElementGeometry.h"
#include "designer/core/StyleDocument.h"
#include "layout/core/StyleVersion.h"

namespace designer {

// One undoable change: lines [index, index + removed.size()) replaced by
// `inserted`. Applying and reverting are exact, so undoing every edit gives
// the document's original bytes back.
struct StyleEdit {
  int index = 0;
  std::vector<StyleLine> removed;
  std::vector<StyleLine> inserted;
  std::string description;  // for the undo menu, Japanese (UTF-8)
  // The line selected after applying (-1: none) and after reverting.
  int selectAfter = -1;
  int selectBefore = -1;
  // An edit of several elements: all the lines selected after applying and
  // after reverting (empty: the single line above).
  std::vector<int> selectManyAfter;
  std::vector<int> selectManyBefore;
};

void ApplyEdit(StyleDocument& document, const StyleEdit& edit);
void RevertEdit(StyleDocument& document, const StyleEdit& edit);

// The edits. Each reads the document and returns the edit without applying
// it; a field that must be a number and is not throws platform::UserError
// with the program's conversion message.

// The text of an element record moved by (dx, dy) millimetres (the fields
// MoveElement changes), each moved value rounded to a multiple of
// `roundTo` when one is given.
std::string MovedText(const std::string& text, Fixed dx, Fixed dy, Fixed roundTo = Fixed());

// Moves an element by (dx, dy) millimetres: its points (fields 6 to 9 of
// shapes, 6 and 7 of pictures, 6 to 9 of text where 8 and 9 are numbers).
// With `roundTo`, every value it writes is a multiple of it (a pointer or
// key edit writes tenths of a millimetre, not the noise of a drag).
StyleEdit MoveElement(const StyleDocument& document, int line, Fixed dx, Fixed dy,
                      Fixed roundTo = Fixed());
// Moves a handle of an element to `to`: a line's end, a box's corner or edge,
// a picture's box (a picture at natural size gets size mode 1 and the size
// it was drawn at, given by `shape`). With `roundTo`, every value it writes
// is a multiple of it, the edges the handle leaves included.
StyleEdit ResizeElement(const StyleDocument& document, int line, const ElementShape& shape,
                        Handle handle, MmPoint to, Fixed roundTo = Fixed());
// Sets field `field` to `value` (CP932); throws platform::UserError with
// CheckFieldValue's message when the value is refused.
StyleEdit SetField(const StyleDocument& document, int line, int field, const std::string& value);
// The paper entry (1 to 118, or layout::kCustomPaperEntry with `custom`'s
// size, written as header fields 10 and 11) and orientation (0 portrait, 1
// landscape) of the style's header, the rest of the header as it is;
// `selected` stays selected. Throws platform::UserError for an entry
// outside the list or a custom size out of bounds.
StyleEdit SetPaper(const StyleDocument& document, int paperEntry, int orientation, int selected,
                   const std::optional<layout::CustomPaperSize>& custom = std::nullopt);
// The paper entry and orientation the header holds (0 for a field that is
// not a number), and a custom paper's size.
struct StylePaper {
  int entry = 0;
  int orientation = 0;
  std::optional<layout::CustomPaperSize> custom;
};
StylePaper PaperOf(const StyleDocument& document);

// The text of a line that holds only the page capacity tag "#maxline=N".
inline constexpr const char* kCapacityTag = "#maxline=";
// Whether a text field holds the capacity tag alone ("#maxline=" and
// digits), the only kind of text the designer rewrites with a new number.
bool HoldsOnlyCapacity(const std::string& text);
// Sets the number of document rows a page takes: the text of the line that
// carries "#maxline=" alone (the first such line, as binding reads it)
// becomes "#maxline=`rows`"; without one, a data element holding only the
// tag is added as the first element. No other text is ever touched.
StyleEdit SetPageCapacity(const StyleDocument& document, int rows);

// Replaces the whole text of page line `line` (code page 932): how a line
// the fields cannot describe (an unknown kind, a record cut short) is
// repaired. Refuses an empty text (it would end the page) and line breaks.
StyleEdit ReplaceRecord(const StyleDocument& document, int line, const std::string& text);

// Adds a new element of `kind` centred at `centre`, as the last element of
// the page (before the first empty line; a document without lines gains the
// new-style header first).
StyleEdit AddElement(const StyleDocument& document, ElementKind kind, MmPoint centre);
// A copy of the element right after it, moved by `offset` on both axes.
StyleEdit DuplicateElement(const StyleDocument& document, int line, Fixed offset);
StyleEdit DeleteElement(const StyleDocument& document, int line);
// Swaps the element with the next / previous element line of the page
// (record order is drawing order, so later is on top). Nothing to do (the
// last / first element) gives an edit that changes nothing: check
// CanBringForward / CanSendBackward first.
bool CanBringForward(const StyleDocument& document, int line);
bool CanSendBackward(const StyleDocument& document, int line);
StyleEdit BringForward(const StyleDocument& document, int line);
StyleEdit SendBackward(const StyleDocument& document, int line);
// Puts the element last / first among the page's elements in one step.
StyleEdit BringToFront(const StyleDocument& document, int line);
StyleEdit SendToBack(const StyleDocument& document, int line);

}  // namespace designer
