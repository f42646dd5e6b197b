#include "platform/qt/TextEditorCommand.h"

namespace platform {

const std::vector<std::string>& DesktopEditors() {
  static const std::vector<std::string> editors = {
      "mousepad", "gedit", "gnome-text-editor", "featherpad", "kwrite", "kate", "pluma", "xed"};
  return editors;
}

std::vector<std::string> TextEditorCommand(
    const std::function<std::string(const std::string&)>& env,
    const std::function<bool(const std::string&)>& installed) {
  const std::string terminal = "x-terminal-emulator";
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    std::string editor = env(variable);
    if (!editor.empty() && installed(terminal)) {
      // The variable may hold arguments ("vim -u NONE"); the terminal runs it
      // as one command.
      return {terminal, "-e", editor};
    }
  }
  for (const std::string& editor : DesktopEditors()) {
    if (installed(editor)) {
      return {editor};
    }
  }
  return {};
}

}  // namespace platform
