#pragma once

#include <vector>

#include "catalogue/core/DocumentList.h"

namespace commands {

// How the fields of a column compare when the list is sorted by it:
// the dates (last saved, last printed, created) as dates, the revision as a
// number, every other column as text: walked character by character in code
// page 932, single-byte ASCII letters case-blind, two-byte characters by
// their bytes as they are (which puts kana in their order).
enum class SortKind { Text, Date, Number };
SortKind SortKindOfColumn(int col);

// Sorts the documents of the list (the rows DocumentRows walks) by one
// column, stably; the rows without a document follow them. In either
// direction the values come first, then the fields of a date or number
// column that hold other text, then the empty fields; the direction orders
// each of these parts.
void SortDocumentRows(catalogue::DocumentList& list, int column, bool ascending);
// The order that sort puts the rows in: for each place, the row that comes
// to stand there (as DocumentList::Arrange takes it).
std::vector<int> SortedOrder(const catalogue::DocumentList& list, int column, bool ascending);

}  // namespace commands
