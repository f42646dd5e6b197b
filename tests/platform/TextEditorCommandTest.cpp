// Which text editor the program starts, from the environment and what is
// installed.

#include "platform/qt/TextEditorCommand.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace platform {
namespace {

TEST(TextEditor, PrefersTheUsersEditorInATerminalThenADesktopEditor) {
  std::map<std::string, std::string> env;
  std::set<std::string> installed;
  auto command = [&] {
    return TextEditorCommand([&](const std::string& n) { return env.count(n) ? env[n] : ""; },
                             [&](const std::string& p) { return installed.count(p) > 0; });
  };
  EXPECT_EQ(command(), std::vector<std::string>{});
  installed = {"gedit", "kwrite"};
  EXPECT_EQ(command(), std::vector<std::string>{"gedit"});
  env["EDITOR"] = "nano";
  EXPECT_EQ(command(), std::vector<std::string>{"gedit"});  // no terminal set up
  installed.insert("x-terminal-emulator");
  EXPECT_EQ(command(), (std::vector<std::string>{"x-terminal-emulator", "-e", "nano"}));
  env["VISUAL"] = "vim";
  EXPECT_EQ(command(), (std::vector<std::string>{"x-terminal-emulator", "-e", "vim"}));
}

}  // namespace
}  // namespace platform
