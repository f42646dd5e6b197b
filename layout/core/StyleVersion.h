#pragma once

#include <string>
#include <vector>

#include "layout/core/Fixed.h"

namespace layout {

inline constexpr const char* kCurrentVersion = "Ver1.1";
inline constexpr const char* kOlderVersion = "Ver1.0";
// The single line of a new style.
inline constexpr const char* kNewStyleHeader = "header;Ver1.1;0;0;0;0;401;100;";

// The values of the header record the print window takes.
struct HeaderValues {
  std::string version;
  Fixed offsetX;
  Fixed offsetY;
  int paperEntry = 0;
  int orientation = 0;
};

// Brings the style lines from "Ver1.0" to "Ver1.1" in memory: "char" and
// "data" records gain fields 8 and 9 (copies of 6 and 7), and the header says
// "Ver1.1". Other records stay. Stops at the first empty line.
void ConvertOlderStyle(std::vector<std::string>& lines);

// Reads the header values from line 0 (throws platform::UserError for a
// field that does not convert).
HeaderValues ReadHeaderValues(const std::vector<std::string>& lines);

}  // namespace layout
