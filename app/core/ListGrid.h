#pragma once

#include <cstdint>
#include <vector>

// The main window's list grid as it was designed: the document list under
// its headings, two frozen columns, rows of the designed height.
namespace app {

inline constexpr int kListGridColumns = 11;
inline constexpr int kListGridFrozenColumns = 2;            // file name and title
inline constexpr int kListGridStartRows = 50;               // the heading and 49 blank rows
inline constexpr int kListGridRowHeight = 17;               // at the designed 12-pixel font
inline constexpr std::uint32_t kFixedCellColor = 12615680;  // RGB 0, 128, 192 (0x00BBGGRR)

// The designed width of a column; 0 outside the eleven.
int DesignedColumnWidth(int col);
// The designed widths of the eleven columns.
std::vector<int> DesignedColumnWidths();

// The row height for a font whose lines are `lineSpacing` pixels apart:
// the designed 17 pixels at the designed font, and as much more as a
// larger font needs so no row loses its descenders.
int ListGridRowHeight(int lineSpacing);

}  // namespace app
