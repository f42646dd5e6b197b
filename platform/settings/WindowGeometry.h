#pragma once

#include <string>

#include "platform/settings/IniFile.h"

namespace platform {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// Where a window opens: "top", "left", "width" and "height" of its section
// (defaults: the work area's top-left corner and the designed size), then
// kept reachable: a left beyond the work area's right edge minus 100 or left
// of the work area goes to the work area's left edge; a top above the work
// area or beyond its bottom edge minus 100 goes to its top edge. The size
// is held within what the work area can show (BoundWindowSize), and a
// window that fills the work area's width (or height) starts at its left
// (or top) edge.
Rect ReadWindowGeometry(const IniFile& settings, const std::string& section, const Rect& workArea,
                        int designedWidth, int designedHeight);

// The smallest window side taken from a settings file; a smaller (or
// negative) width or height takes the designed one.
inline constexpr int kMinWindowSide = 100;

// A window's size as the work area can show it: a side below kMinWindowSide
// takes the designed side, and no side is larger than the work area's.
Rect BoundWindowSize(Rect geometry, const Rect& workArea, int designedWidth, int designedHeight);

// A shown window's frame (the window with the title bar and borders the
// window manager put around it) brought onto the work area: a side larger
// than the work area's is shrunk to it, though not below `minWidth` or
// `minHeight` (the frame of the window's smallest size), and the frame is
// then moved, as little as it takes, so that it lies within the work area;
// a frame still larger than the work area starts at its left (or top) edge.
// ReadWindowGeometry only keeps a saved place reachable; this keeps the
// whole window in sight, the status bar and scroll bars included.
Rect FitFrame(Rect frame, const Rect& workArea, int minWidth, int minHeight);

// Writes the four keys of a window's geometry into its section.
void WriteWindowGeometry(IniFile& settings, const std::string& section, const Rect& geometry);

// Reads the settings file at `path`, writes the window's geometry into it and
// saves it, keeping every other section and key.
void SaveWindowGeometry(const std::string& path, const std::string& section, const Rect& geometry);

}  // namespace platform
