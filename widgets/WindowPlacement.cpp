#include "widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "app/core/WindowGeometry.h"

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
  app::Rect r = app::ReadWindowGeometry(app::IniFile::Load(settingsPath), section,
                                        DesktopWorkArea(), designedWidth, designedHeight);
  window.move(r.left, r.top);
  window.resize(r.width, r.height);
}

void SaveWindowGeometry(const QWidget& window, const std::string& settingsPath,
                        const std::string& section) {
  app::SaveWindowGeometry(settingsPath, section,
                          {window.pos().x(), window.pos().y(), window.width(), window.height()});
}

}  // namespace widgets
