// Every row command undone and redone in any mix gives back the list as it
// stood, row for row, unreadable rows and the row count included.

#include "commands/core/ListHistory.h"

#include <gtest/gtest.h>

#include "commands/core/GridRows.h"

namespace commands {
namespace {

using catalogue::DocumentList;

DocumentList ListOf(int documents, int rows) {
  DocumentList list(rows);
  for (int row = 0; row < documents; ++row) {
    list.SetField(row, 0, "d" + std::to_string(row) + ".doc");
    list.SetField(row, 1, "title " + std::to_string(documents - row));
  }
  return list;
}

std::string Snapshot(const DocumentList& list) {
  std::string text = std::to_string(list.RowCount()) + ":";
  for (int row = 0; row < list.RowCount(); ++row) {
    for (int field = 0; field < 11; ++field) {
      text += list.Field(row, field) + ",";
    }
    text += list.FromUnreadableFile(row) ? "U|" : "|";
  }
  return text;
}

TEST(ListHistory, EveryCommandUndoesAndRedoesToTheListAsItStood) {
  DocumentList list = ListOf(6, 10);
  ListHistory history;
  std::vector<std::string> states = {Snapshot(list)};
  auto record = [&](ListHistory::Change change) {
    history.Record(std::move(change));
    states.push_back(Snapshot(list));
  };
  record(SortChange(list, 1, true));
  record(DeleteRowsChange(list, {2}));
  record(DeleteRowsChange(list, {7, 0, 4, 7}));  // any order, once each
  record(MoveRowChange(list, 0, 3));
  std::vector<std::string> before;
  for (int field = 0; field < 11; ++field) {
    before.push_back(list.Field(4, field));
  }
  list.SetField(4, 1, "edited");
  list.SetField(4, 4, "someone");
  record(EditChange(list, 4, before));
  record(SortChange(list, 1, false));

  for (std::size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(history.CanUndo());
    history.Undo(list);
    EXPECT_EQ(Snapshot(list), states[i - 1]) << "undo to " << i - 1;
  }
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.Undo(list), std::nullopt);
  for (std::size_t i = 1; i < states.size(); ++i) {
    history.Redo(list);
    EXPECT_EQ(Snapshot(list), states[i]) << "redo to " << i;
  }
  EXPECT_FALSE(history.CanRedo());

  // A new change after an undo drops what could be redone.
  history.Undo(list);
  record(MoveRowChange(list, 1, 0));
  EXPECT_FALSE(history.CanRedo());
  history.Clear();
  EXPECT_FALSE(history.CanUndo());
}

TEST(ListHistory, DeletingEveryRowAndAnUnreadableOneComeBackWhole) {
  DocumentList list = ListOf(1, 1);
  ListHistory history;
  std::string whole = Snapshot(list);
  history.Record(DeleteRowsChange(list, {0}));
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_FALSE(list.HoldsDocument(0));
  EXPECT_EQ(history.Undo(list)->row, 0);
  EXPECT_EQ(Snapshot(list), whole);
  DocumentList three = ListOf(3, 3);
  whole = Snapshot(three);
  history.Record(DeleteRowsChange(three, {2, 1, 0}));
  EXPECT_EQ(Snapshot(three), "1:,,,,,,,,,,,|");
  std::optional<ListHistory::Step> back = history.Undo(three);
  EXPECT_EQ(Snapshot(three), whole);
  EXPECT_EQ(back->rows, (std::vector<int>{0, 1, 2}));  // selected again

  // A row read from an unreadable file keeps that mark through undo.
  DocumentList mixed = ListOf(3, 5);
  std::vector<DocumentList::Row> unreadable(1);
  unreadable[0].unreadable = true;
  mixed.PutBackRows({1}, unreadable);
  mixed.SetRowCount(5);
  std::string before = Snapshot(mixed);
  history.Record(DeleteRowsChange(mixed, {1, 2}));
  history.Undo(mixed);
  EXPECT_EQ(Snapshot(mixed), before);
}

TEST(ListHistory, OnlyTheNewestThousandChangesAreKept) {
  DocumentList list = ListOf(3, 3);
  ListHistory history;
  for (std::size_t i = 0; i < ListHistory::kDepth + 5; ++i) {
    history.Record(MoveRowChange(list, 0, 1));
  }
  std::size_t undone = 0;
  while (history.Undo(list)) {
    ++undone;
  }
  EXPECT_EQ(undone, ListHistory::kDepth);
}

}  // namespace
}  // namespace commands
