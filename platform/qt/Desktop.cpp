#include "platform/qt/Desktop.h"

#include <sys/sysinfo.h>

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>

#include "platform/qt/TextEditorCommand.h"

namespace platform {

QString QtDesktop::ClipboardText() {
  return QGuiApplication::clipboard()->text();
}

void QtDesktop::SetClipboardText(const QString& text, const QString& html) {
  if (html.isEmpty()) {
    QGuiApplication::clipboard()->setText(text);
    return;
  }
  auto* data = new QMimeData;  // the clipboard owns it
  data->setText(text);
  data->setHtml(html);
  QGuiApplication::clipboard()->setMimeData(data);
}

bool QtDesktop::Open(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

bool QtDesktop::StartTextEditor() {
  std::vector<std::string> command = platform::TextEditorCommand(
      [](const std::string& name) { return qEnvironmentVariable(name.c_str()).toStdString(); },
      [](const std::string& program) {
        return !QStandardPaths::findExecutable(QString::fromStdString(program)).isEmpty();
      });
  if (command.empty()) {
    return false;
  }
  QStringList arguments;
  for (std::size_t i = 1; i < command.size(); ++i) {
    arguments << QString::fromStdString(command[i]);
  }
  return QProcess::startDetached(QString::fromStdString(command[0]), arguments);
}

MemoryStatus QtDesktop::Memory() {
  return ReadMemoryStatus();
}

QSize QtDesktop::ScreenSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return {};
  }
  return screen->geometry().size() * screen->devicePixelRatio();
}

bool QtDesktop::ShiftHeld() {
  return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

MemoryStatus ReadMemoryStatus() {
  MemoryStatus status;
  struct sysinfo info {};
  if (::sysinfo(&info) == 0) {
    status.totalBytes = static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
    status.availableBytes = static_cast<std::uint64_t>(info.freeram) * info.mem_unit;
  }
  if (std::FILE* meminfo = std::fopen("/proc/meminfo", "r")) {
    char line[256];
    unsigned long long kib = 0;
    while (std::fgets(line, sizeof line, meminfo) != nullptr) {
      if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) {
        status.availableBytes = static_cast<std::uint64_t>(kib) * 1024;
        break;
      }
    }
    std::fclose(meminfo);
  }
  return status;
}

}  // namespace platform
