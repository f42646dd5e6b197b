#include "commands/core/ListHistory.h"

#include "commands/core/GridRows.h"
#include "commands/core/GridSort.h"

namespace commands {

void ListHistory::Record(Change change) {
  undone_.clear();
  done_.push_back(std::move(change));
  if (done_.size() > kDepth) {
    done_.erase(done_.begin());
  }
}

void ListHistory::Clear() {
  done_.clear();
  undone_.clear();
}

std::optional<int> ListHistory::Undo(catalogue::DocumentList& list) {
  if (done_.empty()) {
    return std::nullopt;
  }
  Change change = std::move(done_.back());
  done_.pop_back();
  change.undo(list);
  int row = change.rowAfterUndo;
  undone_.push_back(std::move(change));
  return row;
}

std::optional<int> ListHistory::Redo(catalogue::DocumentList& list) {
  if (undone_.empty()) {
    return std::nullopt;
  }
  Change change = std::move(undone_.back());
  undone_.pop_back();
  change.redo(list);
  int row = change.rowAfterRedo;
  done_.push_back(std::move(change));
  return row;
}

ListHistory::Change DeleteRowsChange(catalogue::DocumentList& list, int first, int last) {
  if (last < first) {
    std::swap(first, last);
  }
  first = std::max(first, 0);
  int countBefore = list.RowCount();
  std::vector<catalogue::DocumentList::Row> removed = list.CopyRows(first, last - first + 1);
  DeleteRows(list, first, last);
  ListHistory::Change change;
  change.undo = [first, countBefore, removed](catalogue::DocumentList& rows) {
    // Back in their place; a list that was emptied whole keeps no blank row.
    rows.InsertRows(first, removed);
    rows.SetRowCount(countBefore);
  };
  change.redo = [first, last](catalogue::DocumentList& rows) { DeleteRows(rows, first, last); };
  change.rowAfterUndo = first;
  change.rowAfterRedo = std::min(first, list.RowCount() - 1);
  return change;
}

ListHistory::Change MoveRowChange(catalogue::DocumentList& list, int from, int to) {
  list.MoveRow(from, to);
  ListHistory::Change change;
  change.undo = [from, to](catalogue::DocumentList& rows) { rows.MoveRow(to, from); };
  change.redo = [from, to](catalogue::DocumentList& rows) { rows.MoveRow(from, to); };
  change.rowAfterUndo = from;
  change.rowAfterRedo = to;
  return change;
}

ListHistory::Change SortChange(catalogue::DocumentList& list, int column, bool ascending) {
  std::vector<int> order = SortedOrder(list, column, ascending);
  std::vector<int> back(order.size());
  for (std::size_t place = 0; place < order.size(); ++place) {
    back[static_cast<std::size_t>(order[place])] = static_cast<int>(place);
  }
  list.Arrange(order);
  ListHistory::Change change;
  change.undo = [back](catalogue::DocumentList& rows) { rows.Arrange(back); };
  change.redo = [order](catalogue::DocumentList& rows) { rows.Arrange(order); };
  return change;
}

ListHistory::Change EditChange(const catalogue::DocumentList& list, int row,
                               std::vector<std::string> before) {
  std::vector<std::string> after;
  for (int field = 0; field < static_cast<int>(catalogue::kRecordFieldCount); ++field) {
    after.push_back(list.Field(row, field));
  }
  auto set = [row](const std::vector<std::string>& fields) {
    return [row, fields](catalogue::DocumentList& rows) {
      for (std::size_t field = 0; field < fields.size(); ++field) {
        rows.SetField(row, static_cast<int>(field), fields[field]);
      }
    };
  };
  ListHistory::Change change;
  change.undo = set(before);
  change.redo = set(after);
  change.rowAfterUndo = row;
  change.rowAfterRedo = row;
  return change;
}

}  // namespace commands
