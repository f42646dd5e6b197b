#include "app/core/ProgramPaths.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "tests/support/TempDir.h"

namespace app {
namespace {

TEST(ProgramPaths, WorkingFilesBesideTheExecutable) {
  ProgramPaths paths("/opt/q/bin/quillmark_wd");
  EXPECT_EQ(paths.Folder(), "/opt/q/bin");
  EXPECT_EQ(paths.SettingsFile(), "/opt/q/bin/quillmark_wd.ini");
  EXPECT_EQ(paths.ListFile(), "/opt/q/bin/excel_list.temp");
  EXPECT_EQ(ProgramPaths("/x/prog.exe").SettingsFile(), "/x/prog.ini");
  EXPECT_EQ(ProgramPaths("/x.d/prog").SettingsFile(), "/x.d/prog.ini");
}

TEST(ProgramPaths, AnInstalledProgramWorksInTheUsersDataFolder) {
  testsupport::TempDir prefix;
  std::filesystem::create_directories(prefix.File("bin"));
  std::filesystem::create_directories(prefix.File("share/quillmark_wd/style"));
  prefix.Write("share/quillmark_wd/dialog.ico", "icon");
  prefix.Write("share/quillmark_wd/style/a.sle", "shipped");
  testsupport::TempDir data;
  data.Write("quillmark_wd.keep", "");
  std::filesystem::create_directories(data.File("quillmark_wd/style"));
  data.Write("quillmark_wd/style/a.sle", "edited by the user");

  ProgramPaths paths = ResolveProgramPaths(prefix.File("bin/quillmark_wd"), data.path(), "/home/u");
  EXPECT_EQ(paths.Folder(), data.File("quillmark_wd"));
  EXPECT_EQ(paths.SettingsFile(), data.File("quillmark_wd/quillmark_wd.ini"));
  EXPECT_EQ(testsupport::ReadAll(data.File("quillmark_wd/dialog.ico")), "icon");
  EXPECT_EQ(testsupport::ReadAll(data.File("quillmark_wd/style/a.sle")), "edited by the user");

  // In the build tree (an icon beside the executable) nothing moves.
  prefix.Write("bin/dialog.ico", "icon");
  EXPECT_EQ(ResolveProgramPaths(prefix.File("bin/quillmark_wd"), data.path(), "").Folder(),
            prefix.File("bin"));
  // Without XDG_DATA_HOME: ~/.local/share.
  std::filesystem::remove(prefix.File("bin/dialog.ico"));
  testsupport::TempDir home;
  EXPECT_EQ(ResolveProgramPaths(prefix.File("bin/quillmark_wd"), "", home.path()).Folder(),
            home.File(".local/share/quillmark_wd"));
}

}  // namespace
}  // namespace app
