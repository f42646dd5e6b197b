#include "widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <exception>

#include "app/core/WindowGeometry.h"
#include "widgets/SkippedFiles.h"

namespace widgets {

namespace {

app::Rect DesktopWorkArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  return {area.left(), area.top(), area.width(), area.height()};
}

}  // namespace

void RestoreWindowGeometry(QWidget& window, const std::string& settingsPath,
                           const std::string& section, int designedWidth, int designedHeight) {
  app::IniFile settings;
  if (!WasSkipped(settingsPath)) {
    try {
      settings = app::IniFile::Load(settingsPath);
    } catch (const std::exception& e) {
      // A settings file that cannot be read (a folder, a pipe, no permission,
      // too large) is used as absent: the window opens where it would at
      // first start.
      NoteSkippedFile(settingsPath, e.what());
    }
  }
  app::Rect r =
      app::ReadWindowGeometry(settings, section, DesktopWorkArea(), designedWidth, designedHeight);
  window.move(r.left, r.top);
  window.resize(r.width, r.height);
}

void SaveWindowGeometry(const QWidget& window, const std::string& settingsPath,
                        const std::string& section) {
  if (WasSkipped(settingsPath)) {
    return;  // the user's unreadable file stays as it is
  }
  // Only sizes the next start accepts are written.
  app::Rect area = DesktopWorkArea();
  auto side = [](int value, int available) {
    return std::clamp(value, app::kMinWindowSide, std::max(app::kMinWindowSide, available));
  };
  app::SaveWindowGeometry(settingsPath, section,
                          {window.pos().x(), window.pos().y(), side(window.width(), area.width),
                           side(window.height(), area.height)});
}

}  // namespace widgets
