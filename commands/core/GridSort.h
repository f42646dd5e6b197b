#pragma once

#include "widgets/core/StringGridData.h"

namespace commands {

// How the cells of a list grid column compare when the grid is sorted by it:
// the dates (last saved, last printed, created) as dates, the revision as a
// number, every other column as text (ASCII letters case-blind, the rest by
// their code page 932 bytes, which puts kana in their order).
enum class SortKind { Text, Date, Number };
SortKind SortKindOfColumn(int col);

// Sorts the documents of the grid (the rows DocumentRows walks) by one
// column, stably; the rows without a document follow them. Empty cells come
// last in either direction. The first data row is selected afterwards.
void SortDocumentRows(widgets::StringGridData& grid, int column, bool ascending);

}  // namespace commands
