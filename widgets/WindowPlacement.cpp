#include "widgets/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <exception>

#include "platform/settings/WindowGeometry.h"
#include "widgets/SkippedFiles.h"

namespace widgets {

namespace {

platform::Rect DesktopWorkArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  return {area.left(), area.top(), area.width(), area.height()};
}

// Keeps a window's frame on the work area once it is shown. A window
// manager adds its title bar and borders around the size the program gives,
// so a window made as large as the work area would lose its bottom (the
// status bar, the scroll bar) below the screen's edge, and a saved place
// that ReadWindowGeometry lets stand may leave part of the window off the
// screen: the side that does not fit is shrunk by the frame and the frame
// moved onto the work area (platform::FitFrame).
class FrameKeeper : public QObject {
 public:
  explicit FrameKeeper(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("FrameKeeper"));
    window.installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      // The frame is known once the window manager has framed the window.
      QTimer::singleShot(0, this, [this] { Fit(); });
      QTimer::singleShot(300, this, [this] { Fit(); });
    }
    return false;
  }

 private:
  void Fit() {
    QScreen* screen = window_.screen();
    if (screen == nullptr || !window_.isVisible() || window_.isMaximized() ||
        window_.isFullScreen()) {
      return;
    }
    QRect area = screen->availableGeometry();
    QRect frame = window_.frameGeometry();
    QRect client = window_.geometry();
    int extraWidth = frame.width() - client.width();
    int extraHeight = frame.height() - client.height();
    platform::Rect fitted = platform::FitFrame(
        {frame.left(), frame.top(), frame.width(), frame.height()},
        {area.left(), area.top(), area.width(), area.height()}, window_.minimumWidth() + extraWidth,
        window_.minimumHeight() + extraHeight);
    QSize size(fitted.width - extraWidth, fitted.height - extraHeight);
    if (size != client.size()) {
      window_.resize(size);
    }
    if (QPoint(fitted.left, fitted.top) != frame.topLeft()) {
      window_.move(fitted.left, fitted.top);  // a window's place is its frame's
    }
  }

  QWidget& window_;
};

}  // namespace

void RestoreWindowGeometry(QWidget& window, const std::string& settingsPath,
                           const std::string& section, int designedWidth, int designedHeight) {
  platform::IniFile settings;
  if (!WasSkipped(settingsPath)) {
    try {
      settings = platform::IniFile::Load(settingsPath);
    } catch (const std::exception& e) {
      // A settings file that cannot be read (a folder, a pipe, no permission,
      // too large) is used as absent: the window opens where it would at
      // first start.
      NoteSkippedFile(settingsPath, e.what());
    }
  }
  platform::Rect r = platform::ReadWindowGeometry(settings, section, DesktopWorkArea(),
                                                  designedWidth, designedHeight);
  window.move(r.left, r.top);
  window.resize(r.width, r.height);
  if (window.findChild<FrameKeeper*>(QStringLiteral("FrameKeeper"), Qt::FindDirectChildrenOnly) ==
      nullptr) {
    new FrameKeeper(window);
  }
}

void SaveWindowGeometry(const QWidget& window, const std::string& settingsPath,
                        const std::string& section) {
  if (WasSkipped(settingsPath)) {
    return;  // the user's unreadable file stays as it is
  }
  // Only sizes the next start accepts are written.
  platform::Rect area = DesktopWorkArea();
  auto side = [](int value, int available) {
    return std::clamp(value, platform::kMinWindowSide,
                      std::max(platform::kMinWindowSide, available));
  };
  platform::SaveWindowGeometry(
      settingsPath, section,
      {window.pos().x(), window.pos().y(), side(window.width(), area.width),
       side(window.height(), area.height)});
}

}  // namespace widgets
