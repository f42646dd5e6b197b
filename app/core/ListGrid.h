#pragma once

#include <string>

#include "widgets/core/StringGridData.h"

// The main window's list grid: its layout, headings, emptying and loading
// from the document list file.
namespace app {

inline constexpr int kListGridColumns = 11;
inline constexpr int kListGridStartRows = 50;
inline constexpr int kListGridRowHeight = 17;
inline constexpr widgets::ColorRef kFixedCellColor = 12615680;  // RGB 0, 128, 192

// A grid laid out as the list grid: 11 columns, 2 fixed columns, 1 fixed
// row, 50 rows, row height 17, the designed column widths.
widgets::StringGridData MakeListGrid();

// The designed width of a column.
int DesignedColumnWidth(int col);

// The heading of a column (UTF-8); empty outside the eleven.
const char* ColumnHeading(int col);

// Row 0: the eleven headings, white text, centred.
void SetColumnHeadings(widgets::StringGridData& grid);

// Empties every data row; columns 0 and 1 get a white background and black
// text. The row count stays.
void ClearListGrid(widgets::StringGridData& grid);

// Replaces the grid's rows with the document list file at `listPath`: every
// line a row from row 1 down (rows added as needed), its first eleven fields
// in columns 0 to 10. A missing file leaves the grid empty.
void LoadDocumentList(const std::string& listPath, widgets::StringGridData& grid);

}  // namespace app
