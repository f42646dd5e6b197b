#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/core/DocumentList.h"

namespace commands {

// The changes made to the document list since it was scanned or opened,
// each undone and redone whole, newest first. Each change holds only what
// it touched (the rows it removed, an order, the fields it replaced), so a
// long list is not copied for every step.
// The column the list was last sorted by and its direction; column -1 when
// the order is the user's own (as scanned, or rows moved by hand).
struct SortState {
  int column = -1;
  bool ascending = true;

  bool operator==(const SortState&) const = default;
};

class ListHistory {
 public:
  struct Change {
    std::function<void(catalogue::DocumentList&)> undo;
    std::function<void(catalogue::DocumentList&)> redo;
    int rowAfterUndo = 0;  // the list row to make current afterwards
    int rowAfterRedo = 0;
    // Further rows selected after an undo (the rows a delete took back).
    std::vector<int> rowsAfterUndo;
    // How the list was sorted before the change and after it.
    SortState sortBefore;
    SortState sortAfter;
  };

  // What an undo or redo leaves: the current row, the rows to select with
  // it and how the list is sorted.
  struct Step {
    int row = 0;
    std::vector<int> rows;
    SortState sort;
  };

  // A change just made; what could be redone is dropped. The oldest change
  // goes beyond kDepth.
  void Record(Change change);
  // The list as it now stands is where undoing stops.
  void Clear();
  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // Undoes or redoes one change; nothing when there was none.
  std::optional<Step> Undo(catalogue::DocumentList& list);
  std::optional<Step> Redo(catalogue::DocumentList& list);

  static constexpr std::size_t kDepth = 1000;

 private:
  std::vector<Change> done_;
  std::vector<Change> undone_;
};

// The row commands, each made on the list and given back as its change.

// The rows `rows` names removed at once (any order; rows outside the list
// are passed over), however many and wherever they stand; one blank row
// stays when every row goes. Undone, they stand where they stood and are
// selected again.
ListHistory::Change DeleteRowsChange(catalogue::DocumentList& list, std::vector<int> rows);
// A row moved to `to`, the rows between shifting by one.
ListHistory::Change MoveRowChange(catalogue::DocumentList& list, int from, int to);
// The list sorted by a column (as SortDocumentRows sorts it).
ListHistory::Change SortChange(catalogue::DocumentList& list, int column, bool ascending);
// A row's fields replaced: `before` are the eleven as they were; the row
// already holds its new fields.
ListHistory::Change EditChange(const catalogue::DocumentList& list, int row,
                               std::vector<std::string> before);

}  // namespace commands
