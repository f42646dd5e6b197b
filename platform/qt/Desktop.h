#pragma once

#include <QSize>
#include <QString>
#include <QUrl>
#include <cstdint>

namespace platform {

struct MemoryStatus {
  std::uint64_t availableBytes = 0;
  std::uint64_t totalBytes = 0;
};

// The desktop services the program's commands use. Tests replace it, so no
// test opens a browser or starts an editor.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Plain text, and the same as HTML (empty: none), on the desktop
  // clipboard, replacing what was there.
  virtual void SetClipboardText(const QString& text, const QString& html = {}) = 0;
  // The plain text on the desktop clipboard (empty: none).
  virtual QString ClipboardText() = 0;
  // Opens a file or link with the desktop's default handler; false when
  // nothing could be started to open it.
  virtual bool Open(const QUrl& url) = 0;
  // Starts the user's text editor; false when none is found or it cannot
  // be started.
  virtual bool StartTextEditor() = 0;
  virtual MemoryStatus Memory() = 0;
  // The primary screen's size in device pixels.
  virtual QSize ScreenSize() = 0;
  // Whether Shift is held down now.
  virtual bool ShiftHeld() = 0;
};

// The real services: Qt's clipboard and URL handling, a detached process for
// the editor, /proc and sysinfo for memory.
class QtDesktop : public Desktop {
 public:
  void SetClipboardText(const QString& text, const QString& html = {}) override;
  QString ClipboardText() override;
  bool Open(const QUrl& url) override;
  bool StartTextEditor() override;
  MemoryStatus Memory() override;
  QSize ScreenSize() override;
  bool ShiftHeld() override;
};

// The physical memory: available ("MemAvailable" of /proc/meminfo, or the
// free memory when the kernel does not say) and total, in bytes.
MemoryStatus ReadMemoryStatus();

}  // namespace platform
