#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// The command line that starts the user's text editor, or nothing when none
// can be found: $VISUAL, else $EDITOR, run in the desktop's terminal
// (x-terminal-emulator) when one is set up; otherwise the first installed of
// the usual desktop editors. `env` reads an environment variable (empty when
// unset); `installed` tells whether a program is on the PATH.
std::vector<std::string> TextEditorCommand(
    const std::function<std::string(const std::string&)>& env,
    const std::function<bool(const std::string&)>& installed);

// The desktop editors tried, in order.
const std::vector<std::string>& DesktopEditors();

}  // namespace platform
