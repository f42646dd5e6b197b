#pragma once

#include <string>
#include <string_view>
#include <vector>

// The list grid's column widths, kept between runs in "display.dat"
// (platform::kColumnWidthFileName).
namespace app {

inline constexpr int kListColumnCount = 11;
// The widths a column may have, in pixels; others are never read or written.
inline constexpr int kMinColumnWidth = 2;
inline constexpr int kMaxColumnWidth = 4000;

// Column widths are the eleven columns' widths in pixels, in column order.

// Applies the lines of a column-width file to `widths`: a line's key is the
// text before its first "=", compared case-sensitively with "[ColWidths[0]]"
// to "[ColWidths[10]]"; a match sets that column to the value after the "="
// read as a decimal integer, or to 100 when it is not one. A number outside
// kMinColumnWidth to kMaxColumnWidth leaves the column as it is (its designed
// width at start). Other lines are ignored and a later line for a column wins.
void ApplyColumnWidthText(std::string_view text, std::vector<int>& widths);

// The file's text: "[Version]=1.00", then one line per column 0 to 10, each
// width held within kMinColumnWidth to kMaxColumnWidth.
std::string ColumnWidthText(const std::vector<int>& widths);

// LoadColumnWidths / SaveColumnWidths on the file at `path`. A missing file
// changes nothing; a failed write throws platform::UserError.
void LoadColumnWidths(const std::string& path, std::vector<int>& widths);
void SaveColumnWidths(const std::string& path, const std::vector<int>& widths);

// Saves at exit without undoing another instance of the program that saved
// meanwhile: under a lock, the file is read again; the columns whose width
// this run changed (from `loaded`, the widths it started with) take
// `widths`' width, the others keep the file's.
void SaveColumnWidthsMerged(const std::string& path, const std::vector<int>& widths,
                            const std::vector<int>& loaded);

}  // namespace app
