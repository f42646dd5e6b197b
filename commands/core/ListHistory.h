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
class ListHistory {
 public:
  struct Change {
    std::function<void(catalogue::DocumentList&)> undo;
    std::function<void(catalogue::DocumentList&)> redo;
    int rowAfterUndo = 0;  // the list row to select afterwards
    int rowAfterRedo = 0;
  };

  // A change just made; what could be redone is dropped. The oldest change
  // goes beyond kDepth.
  void Record(Change change);
  // The list as it now stands is where undoing stops.
  void Clear();
  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  // Undoes or redoes one change; the row to select, or nothing when there
  // was none.
  std::optional<int> Undo(catalogue::DocumentList& list);
  std::optional<int> Redo(catalogue::DocumentList& list);

  static constexpr std::size_t kDepth = 1000;

 private:
  std::vector<Change> done_;
  std::vector<Change> undone_;
};

// The row commands, each made on the list and given back as its change.

// Rows `first` to `last` removed (as DeleteRows removes them).
ListHistory::Change DeleteRowsChange(catalogue::DocumentList& list, int first, int last);
// A row moved to `to`, the rows between shifting by one.
ListHistory::Change MoveRowChange(catalogue::DocumentList& list, int from, int to);
// The list sorted by a column (as SortDocumentRows sorts it).
ListHistory::Change SortChange(catalogue::DocumentList& list, int column, bool ascending);
// A row's fields replaced: `before` are the eleven as they were; the row
// already holds its new fields.
ListHistory::Change EditChange(const catalogue::DocumentList& list, int row,
                               std::vector<std::string> before);

}  // namespace commands
