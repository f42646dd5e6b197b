#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "designer/core/ElementGeometry.h"
#include "designer/core/StyleEdits.h"

namespace designer {

// Rows and cards laid out again from one designed by hand: copies of the
// selected elements whose row tags (#ma_01 to #mk_NN, the documents' fields
// on the page) are renumbered so each copy shows the next document, and the
// page's capacity (#maxline=) set to the rows the page then holds.

// The highest row a tag can name: the binding reads two digits (it would
// take #ma_100 for row 10 followed by "0").
inline constexpr int kLastTagRow = 99;

// The row numbers of the row tags in `text`, each once, ascending, read as
// the binding reads them (two digits after #ma_ to #mk_).
std::vector<int> RowsOfLine(std::string_view text);
// `text` with every row tag's number raised by `by` (written with two digits
// below 10, as the binding reads them).
std::string RenumberedRows(std::string_view text, int by);

// The distance down from the first row to the second: from the y of the
// first element naming row 1 to that of the first naming row 2; nothing
// when the style has no second row below its first.
std::optional<Fixed> RowPitch(const StyleDocument& document);

// A copy of the selected elements as the next rows: tags renumbered from the
// next free row on, the copy `pitch` further down for each row it moved on;
// #maxline= follows. The copies are selected after. Throws
// platform::UserError when a row would pass kLastTagRow or a field to move is
// not a number.
StyleEdit DuplicateAsNextRows(const StyleDocument& document, const std::vector<int>& lines,
                              Fixed pitch);

// The selected elements laid out `across` times across and `down` times
// down, `pitchX` and `pitchY` apart, the original first; the copies' rows
// numbered on in reading order (left to right, then down) from the next
// free row; #maxline= follows. All of them are selected after. Throws as
// DuplicateAsNextRows does, and for fewer than one or more than
// kMostRepeats places.
inline constexpr int kMostRepeats = 400;
StyleEdit RepeatElements(const StyleDocument& document, const std::vector<int>& lines, int across,
                         int down, Fixed pitchX, Fixed pitchY);

}  // namespace designer
