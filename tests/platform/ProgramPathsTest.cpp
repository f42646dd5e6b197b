#include "platform/files/ProgramPaths.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "tests/support/TempDir.h"

namespace platform {
namespace {

TEST(ProgramPaths, WorkingFilesBesideTheExecutable) {
  ProgramPaths paths("/opt/q/bin/quillmark_wd");
  EXPECT_EQ(paths.Folder(), "/opt/q/bin");
  EXPECT_EQ(paths.SettingsFile(), "/opt/q/bin/quillmark_wd.ini");
  EXPECT_EQ(paths.ListFile(), "/opt/q/bin/excel_list.temp");
  EXPECT_EQ(ProgramPaths("/x/prog.exe").SettingsFile(), "/x/prog.ini");
  EXPECT_EQ(ProgramPaths("/x.d/prog").SettingsFile(), "/x.d/prog.ini");
}

TEST(ProgramPaths, AnInstalledProgramWorksInTheUsersDataAndConfigFolders) {
  testsupport::TempDir prefix;
  std::filesystem::create_directories(prefix.File("bin"));
  std::filesystem::create_directories(prefix.File("share/quillmark_wd/style"));
  prefix.Write("share/quillmark_wd/dialog.ico", "icon");
  prefix.Write("share/quillmark_wd/quillmark_wd.html", "manual of this version");
  prefix.Write("share/quillmark_wd/style/a.sle", "shipped");
  prefix.Write("share/quillmark_wd/style/b.sle", "shipped b");
  testsupport::TempDir data;
  testsupport::TempDir config;
  std::filesystem::create_directories(data.File("quillmark_wd/style"));
  data.Write("quillmark_wd/style/a.sle", "edited by the user");

  ProgramPaths paths =
      ResolveProgramPaths(prefix.File("bin/quillmark_wd"), data.path(), config.path(), "/home/u");
  EXPECT_EQ(paths.Folder(), data.File("quillmark_wd"));
  EXPECT_EQ(paths.ListFile(), data.File("quillmark_wd/excel_list.temp"));
  EXPECT_EQ(paths.SettingsFile(), config.File("quillmark_wd/quillmark_wd.ini"));
  EXPECT_EQ(paths.ColumnWidthFile(), config.File("quillmark_wd/display.dat"));
  EXPECT_EQ(paths.ConfigFile("titlelist.DAT"), config.File("quillmark_wd/titlelist.DAT"));
  // Styles are seeded where missing; the manual and icon are read from the
  // installed files, so an upgrade's manual is the one shown.
  EXPECT_EQ(testsupport::ReadAll(data.File("quillmark_wd/style/a.sle")), "edited by the user");
  EXPECT_EQ(testsupport::ReadAll(data.File("quillmark_wd/style/b.sle")), "shipped b");
  EXPECT_FALSE(std::filesystem::exists(data.File("quillmark_wd/quillmark_wd.html")));
  EXPECT_EQ(testsupport::ReadAll(paths.Manual()), "manual of this version");
  EXPECT_EQ(testsupport::ReadAll(paths.DialogIcon()), "icon");

  // In the build tree (an icon beside the executable) nothing moves.
  prefix.Write("bin/dialog.ico", "icon");
  EXPECT_EQ(ResolveProgramPaths(prefix.File("bin/quillmark_wd"), data.path(), "", "").Folder(),
            prefix.File("bin"));
  // Without XDG_DATA_HOME and XDG_CONFIG_HOME: ~/.local/share and ~/.config.
  std::filesystem::remove(prefix.File("bin/dialog.ico"));
  testsupport::TempDir home;
  ProgramPaths atHome = ResolveProgramPaths(prefix.File("bin/quillmark_wd"), "", "", home.path());
  EXPECT_EQ(atHome.Folder(), home.File(".local/share/quillmark_wd"));
  EXPECT_EQ(atHome.SettingsFile(), home.File(".config/quillmark_wd/quillmark_wd.ini"));
}

// An older version kept its settings in the data folder: they move once to
// the configuration folder, nothing lost, and a second start changes
// nothing; settings already there are never written over.
TEST(ProgramPaths, SettingsLeftInTheDataFolderMoveOnceWithNothingLost) {
  testsupport::TempDir prefix;
  std::filesystem::create_directories(prefix.File("bin"));
  std::filesystem::create_directories(prefix.File("share/quillmark_wd/style"));
  testsupport::TempDir data;
  testsupport::TempDir config;
  std::filesystem::create_directories(data.File("quillmark_wd"));
  std::filesystem::create_directories(config.File("quillmark_wd"));
  data.Write("quillmark_wd/quillmark_wd.ini", "[fquillmark_wd]\r\nwidth=900\r\n");
  data.Write("quillmark_wd/display.dat", "[ColWidths[1]]=250\r\n");
  data.Write("quillmark_wd/titlelist.DAT", "Annual Report\r\n");
  data.Write("quillmark_wd/titlelist.DAT.utf8", "\xEF\xBB\xBFRapport \xC3\xA9\r\n");
  data.Write("quillmark_wd/excel_list.temp", "a.doc;;;;;;;;;;;\r\n");
  config.Write("quillmark_wd/display.dat", "[ColWidths[1]]=300\r\n");  // newer, kept

  for (int start = 0; start < 2; ++start) {
    ProgramPaths paths =
        ResolveProgramPaths(prefix.File("bin/quillmark_wd"), data.path(), config.path(), "/home/u");
    EXPECT_EQ(testsupport::ReadAll(paths.SettingsFile()), "[fquillmark_wd]\r\nwidth=900\r\n");
    EXPECT_EQ(testsupport::ReadAll(paths.ConfigFile("titlelist.DAT")), "Annual Report\r\n");
    EXPECT_EQ(testsupport::ReadAll(paths.ConfigFile("titlelist.DAT.utf8")),
              "\xEF\xBB\xBFRapport \xC3\xA9\r\n");
    EXPECT_EQ(testsupport::ReadAll(paths.ColumnWidthFile()), "[ColWidths[1]]=300\r\n");
    EXPECT_EQ(testsupport::ReadAll(paths.ListFile()), "a.doc;;;;;;;;;;;\r\n");
    EXPECT_FALSE(std::filesystem::exists(data.File("quillmark_wd/quillmark_wd.ini")));
    // The one not moved stays where it was: nothing is lost.
    EXPECT_EQ(testsupport::ReadAll(data.File("quillmark_wd/display.dat")),
              "[ColWidths[1]]=250\r\n");
  }
}

}  // namespace
}  // namespace platform
