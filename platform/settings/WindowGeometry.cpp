#include "platform/settings/WindowGeometry.h"

#include <algorithm>

namespace platform {

Rect ReadWindowGeometry(const IniFile& settings, const std::string& section, const Rect& workArea,
                        int designedWidth, int designedHeight) {
  Rect r;
  r.top = settings.ReadInteger(section, "top", workArea.top);
  r.left = settings.ReadInteger(section, "left", workArea.left);
  r.width = settings.ReadInteger(section, "width", designedWidth);
  r.height = settings.ReadInteger(section, "height", designedHeight);
  r = BoundWindowSize(r, workArea, designedWidth, designedHeight);
  // A window as wide (or as tall) as the work area starts at its edge, so
  // that the whole of it shows on a screen smaller than it was made for.
  if (workArea.width > 0 && r.width >= workArea.width) {
    r.left = workArea.left;
  }
  if (workArea.height > 0 && r.height >= workArea.height) {
    r.top = workArea.top;
  }
  if (r.left > workArea.Right() - 100) {
    r.left = workArea.left;
  }
  if (r.left < workArea.left) {
    r.left = workArea.left;
  }
  if (r.top < workArea.top) {
    r.top = workArea.top;
  }
  if (r.top > workArea.Bottom() - 100) {
    r.top = workArea.top;
  }
  return r;
}

Rect BoundWindowSize(Rect geometry, const Rect& workArea, int designedWidth, int designedHeight) {
  auto bound = [](int side, int designed, int available) {
    int value = side < kMinWindowSide ? designed : side;
    return available > 0 && value > available ? available : value;
  };
  geometry.width = bound(geometry.width, designedWidth, workArea.width);
  geometry.height = bound(geometry.height, designedHeight, workArea.height);
  return geometry;
}

Rect FitFrame(Rect frame, const Rect& workArea, int minWidth, int minHeight) {
  if (frame.width > workArea.width) {
    frame.width = std::max(workArea.width, minWidth);
  }
  if (frame.height > workArea.height) {
    frame.height = std::max(workArea.height, minHeight);
  }
  frame.left = std::clamp(frame.left, workArea.left,
                          std::max(workArea.left, workArea.Right() - frame.width));
  frame.top =
      std::clamp(frame.top, workArea.top, std::max(workArea.top, workArea.Bottom() - frame.height));
  return frame;
}

void WriteWindowGeometry(IniFile& settings, const std::string& section, const Rect& geometry) {
  settings.WriteInteger(section, "top", geometry.top);
  settings.WriteInteger(section, "left", geometry.left);
  settings.WriteInteger(section, "width", geometry.width);
  settings.WriteInteger(section, "height", geometry.height);
}

void SaveWindowGeometry(const std::string& path, const std::string& section, const Rect& geometry) {
  IniFile settings = IniFile::Load(path);
  WriteWindowGeometry(settings, section, geometry);
  settings.Save(path);
}

}  // namespace platform
