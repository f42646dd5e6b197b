#pragma once

#include <string>

class QWidget;

namespace widgets {

// Places a window as its settings section says (or at the desktop work
// area's top-left corner with its designed size), kept reachable on the
// work area of the primary screen; once shown, the window with its frame is
// moved (and where it must, shrunk) onto the work area of its screen.
void RestoreWindowGeometry(QWidget& window, const std::string& settingsPath,
                           const std::string& section, int designedWidth, int designedHeight);

// Writes the window's "top", "left", "width" and "height" into its section,
// keeping the rest of the settings file (throws platform::UserError).
void SaveWindowGeometry(const QWidget& window, const std::string& settingsPath,
                        const std::string& section);

}  // namespace widgets
