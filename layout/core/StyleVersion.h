#pragma once

#include <optional>
#include <string>
#include <vector>

#include "layout/core/Fixed.h"

namespace layout {

inline constexpr const char* kCurrentVersion = "Ver1.1";
inline constexpr const char* kOlderVersion = "Ver1.0";
// The single line of the style the print window shows before one is
// loaded (its paper is the printer's own). It is never written: a saved
// style's header is StyleHeaderLine's.
inline constexpr const char* kNewStyleHeader = "header;Ver1.1;0;0;0;0;401;100;";

// A paper of the user's own size: the paper entry of printers' user-defined
// size, its width and height in millimetres (portrait; the orientation turns
// it; the designer writes tenths) after the header's spare counter, as
// fields 10 and 11. The preview measures the sheet in whole millimetres, as
// it measures every paper; the printer gets the size as written. Older readers take the entry as no
// paper of their list (the printer's own paper) and pass over the two fields.
inline constexpr int kCustomPaperEntry = 256;
inline constexpr int kCustomPaperWidthField = 10;
inline constexpr int kCustomPaperHeightField = 11;
// The sizes a custom paper may have, in millimetres.
inline constexpr int kCustomPaperLeast = 10;
inline constexpr int kCustomPaperMost = 1200;

struct CustomPaperSize {
  Fixed widthMm;
  Fixed heightMm;
  friend bool operator==(const CustomPaperSize&, const CustomPaperSize&) = default;
};

// Whether a size may be a custom paper's (each side within the bounds).
bool IsCustomPaperSize(const CustomPaperSize& size);

// The header line as a style is written: the current version, the offsets
// as the boxes show them, the paper entry, the orientation, "0", the zoom
// and "0"; for a custom paper with its size, the width and height after
// them. A new style in the designer is this line with no offsets.
std::string StyleHeaderLine(Fixed offsetX, Fixed offsetY, int paperEntry, int orientation,
                            int zoomPercent,
                            const std::optional<CustomPaperSize>& custom = std::nullopt);

// The values of the header record the print window takes.
struct HeaderValues {
  std::string version;
  Fixed offsetX;
  Fixed offsetY;
  int paperEntry = 0;
  int orientation = 0;
  // With kCustomPaperEntry, the size its fields give when they are a
  // custom paper's; nothing otherwise (then no paper is set, as before).
  std::optional<CustomPaperSize> customPaper;
};

// Brings the style lines from "Ver1.0" to "Ver1.1" in memory: "char" and
// "data" records gain fields 8 and 9 (copies of 6 and 7), and the header says
// "Ver1.1". Other records stay. Stops at the first empty line.
void ConvertOlderStyle(std::vector<std::string>& lines);

// Reads the header values from line 0 (throws platform::UserError for a
// field that does not convert).
HeaderValues ReadHeaderValues(const std::vector<std::string>& lines);

}  // namespace layout
