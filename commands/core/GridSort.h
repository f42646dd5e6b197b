#pragma once

#include "widgets/core/StringGridData.h"

namespace commands {

// How the cells of a list grid column compare when the grid is sorted by it:
// the dates (last saved, last printed, created) as dates, the revision as a
// number, every other column as text: walked character by character in code
// page 932, single-byte ASCII letters case-blind, two-byte characters by
// their bytes as they are (which puts kana in their order).
enum class SortKind { Text, Date, Number };
SortKind SortKindOfColumn(int col);

// Sorts the documents of the grid (the rows DocumentRows walks) by one
// column, stably; the rows without a document follow them. In either
// direction the values come first, then the cells of a date or number column
// that hold other text, then the empty cells; the direction orders each of
// these parts. The first data row is selected afterwards.
void SortDocumentRows(widgets::StringGridData& grid, int column, bool ascending);

}  // namespace commands
