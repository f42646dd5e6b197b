#pragma once

#include <QStringList>

#include "platform/qt/Desktop.h"

namespace testsupport {

// Desktop services that only record what the program asked for.
class FakeDesktop : public platform::Desktop {
 public:
  QString clipboard;
  QString clipboardHtml;
  QStringList opened;
  int editorsStarted = 0;
  bool shift = false;
  // Whether a handler or an editor is found to open things with.
  bool canOpen = true;

  void SetClipboardText(const QString& text, const QString& html = {}) override {
    clipboard = text;
    clipboardHtml = html;
  }
  QString ClipboardText() override { return clipboard; }
  bool Open(const QUrl& url) override {
    opened << url.toString();
    return canOpen;
  }
  bool StartTextEditor() override {
    editorsStarted += canOpen ? 1 : 0;
    return canOpen;
  }
  platform::MemoryStatus Memory() override { return {6'000'000'000ULL, 25'000'000'000ULL}; }
  QSize ScreenSize() override { return {1280, 1024}; }
  bool ShiftHeld() override { return shift; }
};

}  // namespace testsupport
