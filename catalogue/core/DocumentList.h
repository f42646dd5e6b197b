#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/core/DocumentRecord.h"

namespace catalogue {

// The catalogue the main window lists and every row command works on: rows
// of the eleven record fields (UTF-8, however the list file holds
// them) with their headings. Rows need not hold a document: a row from an
// unreadable file has an empty record, and the list keeps blank rows as the
// user arranged them (the window starts with blank rows to fill). The walk
// (DocumentRows) passes over every row without a file name.
class DocumentList {
 public:
  // A list of `rows` blank rows; never fewer than one.
  explicit DocumentList(int rows = 1);

  int RowCount() const { return static_cast<int>(rows_.size()); }

  // A field of a row; empty for any row or field outside the list.
  const std::string& Field(int row, int field) const;
  // Sets a field; nothing outside the list.
  void SetField(int row, int field, std::string value);
  // Whether the row holds a document (its file name is not empty).
  bool HoldsDocument(int row) const;
  // Whether the row came from a line of the list file without a file name:
  // a document the scan could not read.
  bool FromUnreadableFile(int row) const;
  // What the scan said of such a row: the file's name and why it could not
  // be read (UTF-8). Shown, never written: the list file keeps the row's
  // empty line, and every output passes the row over.
  void NoteUnreadable(int row, std::string name, std::string reason);
  const std::string& UnreadableName(int row) const;
  const std::string& UnreadableReason(int row) const;

  // The heading of a field (UTF-8); empty outside the eleven.
  static const char* Heading(int field);

  // Rows added at the end are blank; rows taken off lose their fields. The
  // count never goes below one.
  void SetRowCount(int rows);
  // Empties a row: its fields and what it came from.
  void EmptyRow(int row);
  // Empties every row; the count stays.
  void EmptyAll();
  // Moves row `from` to position `to`, the rows between shifting by one.
  // Nothing when either is outside the list.
  void MoveRow(int from, int to);
  // Puts the rows in a new order: `order` lists every row once, in the order
  // they are to stand. Anything else changes nothing.
  void Arrange(const std::vector<int>& order);

  // The walk: the rows that hold a document, from the first down.
  std::vector<int> DocumentRows() const;

  // One row's fields, held apart so that moving rows moves a pointer each
  // however long the list.
  // What the scan said of a row it could not read (NoteUnreadable).
  struct UnreadableNote {
    std::string name;
    std::string reason;
  };
  struct Row {
    std::vector<std::string> fields = std::vector<std::string>(kRecordFieldCount);
    bool unreadable = false;
    std::shared_ptr<const UnreadableNote> note;  // shared: the row stays small
  };
  // Takes out the rows `rows` names (ascending, each within the list) in
  // one pass in place, however many, and gives them back in that order;
  // one blank row stays when every row goes. Anything else changes
  // nothing.
  std::vector<Row> TakeRows(const std::vector<int>& rows);
  // Puts taken rows back so that each stands at its row of `rows` again
  // (ascending), in one pass in place. (The blank row left by taking every
  // row then follows them.)
  void PutBackRows(const std::vector<int>& rows, std::vector<Row> taken);

  // Replaces the rows with the list file at `path`: every row emptied, then
  // each line a row from the first down (rows added as needed), its first
  // eleven fields split off with NextField. A missing file leaves the rows
  // empty; one that cannot be read throws platform::UserError (the rows
  // read so far stay).
  void Load(const std::string& path);
  // The walked rows as list file lines (GridRowLine): the eleven fields each
  // followed by ";", then `tail`.
  std::vector<std::string> ListLines(char tail) const;

 private:
  bool InRange(int row) const { return row >= 0 && row < RowCount(); }

  std::vector<Row> rows_;
};

}  // namespace catalogue
