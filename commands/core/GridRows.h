#pragma once

#include <functional>
#include <string>
#include <vector>

#include "catalogue/core/DocumentList.h"

// The row commands and output of the document list.
namespace commands {

// Columns that a CSV line writes: the eleven record fields and the twelfth,
// always empty, column the program has always added.
inline constexpr int kWrittenColumns = 12;

// A value as a CSV cell a spreadsheet takes as text, never as a formula:
// one beginning with "=", "+", "-", "@", a tab or a carriage return gets a
// leading apostrophe, unless it is a plain number ("-5", "+81", "-3.5").
// A document's properties are written by whoever wrote the document.
std::string InertCsvValue(const std::string& value);

// One value as a CSV field: made inert (InertCsvValue), then as it is, or
// in double quotes with its inner quotes doubled when it holds ",", '"' or
// a line break (RFC 4180).
std::string CsvField(const std::string& value);

// The walked rows as CSV text, in UTF-8 (what the clipboard takes): twelve
// cells each followed by ",", CR LF after every line, the fields unchanged
// but for the quoting of CsvField.
std::string CsvText(const catalogue::DocumentList& list);
// The same of some rows (a selection, ascending), those without a document
// passed over.
std::string CsvText(const catalogue::DocumentList& list, const std::vector<int>& rows);

// The same CSV in code page 932, the Shift-JIS CSV file as the program has
// always written it; a character code page 932 lacks becomes "?".
struct ShiftJisCsv {
  std::string bytes;
  std::size_t valuesChanged = 0;  // values that lost a character so
};
ShiftJisCsv CsvShiftJisText(const catalogue::DocumentList& list);

// The walked rows as an HTML table (UTF-8), the eleven headings first, for
// a paste into a spreadsheet to give cells at once; every cell is marked
// as text, so none is taken for a formula.
std::string HtmlTable(const catalogue::DocumentList& list);
std::string HtmlTable(const catalogue::DocumentList& list, const std::vector<int>& rows);

// What is said after a Shift-JIS CSV lost characters of `values` values.
std::string LostCharactersMessage(std::size_t values);

// One document's line of a CSV type, its fields given by `field` (0 to 10),
// appended to `text`: the clipboard's (UTF-8), the Shift-JIS file's (code
// page 932; answers how many values lost a character) and the UTF-8 file's.
using FieldOf = std::function<const std::string&(int field)>;
void AppendCsvLine(const FieldOf& field, std::string& text);
std::size_t AppendShiftJisCsvLine(const FieldOf& field, std::string& text);
void AppendUtf8CsvLine(const FieldOf& field, std::string& text);
// What the UTF-8 CSV starts with: the byte-order mark and the heading row.
std::string Utf8CsvStart();

// The record columns the UTF-8 CSV writes: the eleven fields.
inline constexpr int kRecordColumns = 11;

// The walked rows as CSV in UTF-8, as current spreadsheet programs open it:
// a byte-order mark, a heading row of the list's eleven headings, then the
// eleven fields of each document, separated by "," and quoted as CsvField
// does, CR LF after every line.
std::string CsvUtf8Text(const catalogue::DocumentList& list);

}  // namespace commands
