#include "commands/core/ListHistory.h"

#include "commands/core/GridRows.h"
#include "commands/core/GridSort.h"

#include <algorithm>
#include <memory>

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

std::optional<ListHistory::Step> ListHistory::Undo(catalogue::DocumentList& list) {
  if (done_.empty()) {
    return std::nullopt;
  }
  Change change = std::move(done_.back());
  done_.pop_back();
  change.undo(list);
  Step step{change.rowAfterUndo, change.rowsAfterUndo, change.sortBefore};
  undone_.push_back(std::move(change));
  return step;
}

std::optional<ListHistory::Step> ListHistory::Redo(catalogue::DocumentList& list) {
  if (undone_.empty()) {
    return std::nullopt;
  }
  Change change = std::move(undone_.back());
  undone_.pop_back();
  change.redo(list);
  Step step{change.rowAfterRedo, {}, change.sortAfter};
  done_.push_back(std::move(change));
  return step;
}

namespace {

// Takes `rows` (ascending) out of the list; when every row goes, one blank
// row stays, emptied as the first row always was.
std::vector<catalogue::DocumentList::Row> TakeRowsKeepingOne(catalogue::DocumentList& list,
                                                             const std::vector<int>& rows) {
  bool every = static_cast<int>(rows.size()) == list.RowCount();
  std::vector<catalogue::DocumentList::Row> taken = list.TakeRows(rows);
  if (every) {
    list.EmptyRow(0);
  }
  return taken;
}

}  // namespace

ListHistory::Change DeleteRowsChange(catalogue::DocumentList& list, std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(),
                            [&](int row) { return row < 0 || row >= list.RowCount(); }),
             rows.end());
  int countBefore = list.RowCount();
  auto removed =
      std::make_shared<std::vector<catalogue::DocumentList::Row>>(TakeRowsKeepingOne(list, rows));
  ListHistory::Change change;
  // The removed rows move between the list and `removed` on every undo and
  // redo, never copied.
  change.undo = [rows, countBefore, removed](catalogue::DocumentList& list) {
    // Back in their place; a list that was emptied whole keeps no blank row.
    list.PutBackRows(rows, std::move(*removed));
    list.SetRowCount(countBefore);
  };
  change.redo = [rows, removed](catalogue::DocumentList& list) {
    *removed = TakeRowsKeepingOne(list, rows);
  };
  int first = rows.empty() ? 0 : rows.front();
  change.rowAfterUndo = first;
  change.rowsAfterUndo = rows;
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
