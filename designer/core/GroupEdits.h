#pragma once

#include <optional>
#include <string>
#include <vector>

#include "designer/core/ElementGeometry.h"
#include "designer/core/StyleEdits.h"

namespace designer {

// Edits of several elements at once, each one undoable step: one splice over
// the lines from the first element to the last, every other line kept as it
// is. `lines` are page lines in any order; the edit's selection after is
// those elements where they end up. Each throws as its one-element edit does.

// Gives `edit` the elements selected before it (`before`, sorted) and
// after it (`after`; none: nothing selected).
void SelectAround(StyleEdit& edit, const std::vector<int>& before, const std::vector<int>& after);

// The lines sorted, each once; throws platform::UserError when there are
// none or one is not an element of the page.
std::vector<int> SortedPageLines(const StyleDocument& document, const std::vector<int>& lines);
// Moves every element as MoveElement does (with `roundTo`, each value a
// multiple of it), one step.
StyleEdit MoveElements(const StyleDocument& document, const std::vector<int>& lines, Fixed dx,
                       Fixed dy, Fixed roundTo = Fixed());
// Makes every element that can be resized `dw` wider and `dh` higher (a
// line: its end moves so), each edge written in tenths of a millimetre;
// texts are left. One step; throws when none can be resized.
StyleEdit ResizeElementsBy(const StyleDocument& document, const std::vector<int>& lines, Fixed dw,
                           Fixed dh, ElementMeasurer* measurer);
// Sets, in every element whose kind has a field meaning what field
// `field` of kind `kind` means (FieldOfSameMeaning), that field; the
// others are left. Throws when none has it.
StyleEdit SetFieldOfElements(const StyleDocument& document, const std::vector<int>& lines,
                             ElementKind kind, int field, const std::string& value);
StyleEdit DeleteElements(const StyleDocument& document, const std::vector<int>& lines);
// A copy of each right after it, moved by `offset` on both axes; the copies
// are selected after.
StyleEdit DuplicateElements(const StyleDocument& document, const std::vector<int>& lines,
                            Fixed offset);
// The elements last / first on the page, in their order.
StyleEdit BringElementsToFront(const StyleDocument& document, const std::vector<int>& lines);
StyleEdit SendElementsToBack(const StyleDocument& document, const std::vector<int>& lines);

enum class Alignment { Left, Right, Top, Bottom, CentresAcross, CentresDown };
// Lines the elements up on the edge or centre of the box round them all.
StyleEdit AlignElements(const StyleDocument& document, const std::vector<int>& lines,
                        Alignment alignment, ElementMeasurer* measurer);
// Spaces the elements evenly between the first and the last, across or
// down (at least three).
StyleEdit DistributeElements(const StyleDocument& document, const std::vector<int>& lines,
                             bool across, ElementMeasurer* measurer);

// The lines of the elements as style text (code page 932), each followed
// by CR LF: what the clipboard carries.
std::string ElementsText(const StyleDocument& document, const std::vector<int>& lines);
// Adds the element lines of `text` (code page 932; lines of no known kind
// and empty lines are passed over) on top of the page, moved by `step` on
// both axes as many times as it takes for them not to land all on lines
// already there; they are selected after. Throws platform::UserError when
// the text holds no element.
StyleEdit PasteElements(const StyleDocument& document, std::string_view text, Fixed step);

// The box round the boxes of those of the elements that have a place;
// nothing when none has one.
std::optional<MmBox> BoxAroundElements(const StyleDocument& document, const std::vector<int>& lines,
                                       ElementMeasurer* measurer);

// The elements whose boxes lie wholly inside `box`, in record order.
std::vector<int> ElementsInside(const StyleDocument& document, const MmBox& box,
                                ElementMeasurer* measurer);

// The selection after and before an edit: its list when it has one, else
// its single line (none for -1).
std::vector<int> SelectionAfter(const StyleEdit& edit);
std::vector<int> SelectionBefore(const StyleEdit& edit);

}  // namespace designer
