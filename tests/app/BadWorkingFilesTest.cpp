// The program starts whatever its working files are: unreadable, a folder,
// a pipe, a device, too large, or holding absurd values. Each file that
// cannot be read is used as absent, told once, and left as it was.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QAbstractButton>
#include <QGuiApplication>
#include <QScreen>
#include <filesystem>
#include <fstream>

#include "app/core/ColumnWidths.h"
#include "app/core/ListGrid.h"
#include "platform/settings/IniFile.h"
#include "platform/settings/WindowGeometry.h"
#include "tests/app/ProgramFixture.h"
#include "widgets/FrozenColumnTable.h"

namespace app {
namespace {

using testsupport::ReadAll;

QRect WorkArea() {
  return QGuiApplication::primaryScreen()->availableGeometry();
}

// What stands where a working file should be.
enum class Stand { Folder, Pipe, Device, TooLarge, Unreadable };

// Puts `stand` at `path`; false when this machine cannot make it so (a
// file without read permission is readable for root).
bool MakeBad(const std::string& path, Stand stand) {
  switch (stand) {
    case Stand::Folder: return std::filesystem::create_directory(path);
    case Stand::Pipe: return ::mkfifo(path.c_str(), 0644) == 0;
    case Stand::Device: return ::symlink("/dev/zero", path.c_str()) == 0;
    case Stand::TooLarge:  // sparse: no disk is used
      std::ofstream(path, std::ios::binary).put('x');
      return ::truncate(path.c_str(), 2 << 20) == 0;
    case Stand::Unreadable:
      if (::geteuid() == 0) {
        return false;
      }
      std::ofstream(path, std::ios::binary) << "[fquillmark_wd]\r\n";
      return ::chmod(path.c_str(), 0) == 0;
  }
  return false;
}

struct BadWorkingFiles : ProgramFixture, ::testing::WithParamInterface<Stand> {
  // The settings file is the one under test: nothing is written into it.
  BadWorkingFiles() { classicFormatsOnly = false; }
};

TEST_P(BadWorkingFiles, TheProgramStartsWithDefaultsSaysSoOnceAndLeavesTheFiles) {
  std::vector<std::string> files = {paths.SettingsFile(), paths.ColumnWidthFile(),
                                    paths.ConfigFile(commands::kTitleHistoryFileName)};
  for (const std::string& file : files) {
    if (!MakeBad(file, GetParam())) {
      GTEST_SKIP() << "cannot make such a file here";
    }
  }
  Start();
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->pos(), WorkArea().topLeft());
  EXPECT_EQ(window->Grid()->columnWidth(0), DesignedColumnWidth(0));
  ASSERT_EQ(dialogs.shown.size(), 1);  // one message for all three
  for (const std::string& file : files) {
    EXPECT_TRUE(dialogs.shown[0].contains(QString::fromStdString(file))) << file;
  }
  window->Grid()->SetColumnWidth(1, 250);
  // A choice made in the folder dialog is not written into it either.
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    auto* check = dialog.findChild<QAbstractButton*>(QStringLiteral("NewerFormatsCheck"));
    EXPECT_FALSE(check->isChecked());  // a settings file there: the classic list
    check->click();
    dialog.CancelOrClose();
  });
  Stop();
  EXPECT_EQ(dialogs.shown.size(), 1);  // and nothing at exit
  for (const std::string& file : files) {
    struct stat st {};
    ASSERT_EQ(::lstat(file.c_str(), &st), 0) << file;
    switch (GetParam()) {
      case Stand::TooLarge: EXPECT_EQ(st.st_size, 2 << 20) << file; break;  // not written over
      case Stand::Unreadable: EXPECT_EQ(st.st_mode & 0777, 0u) << file; break;
      default: EXPECT_FALSE(S_ISREG(st.st_mode)) << file; break;
    }
  }
}

std::string StandName(const ::testing::TestParamInfo<Stand>& info) {
  static const char* const kNames[] = {"Folder", "Pipe", "Device", "TooLarge", "Unreadable"};
  return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadWorkingFiles,
                         ::testing::Values(Stand::Folder, Stand::Pipe, Stand::Device,
                                           Stand::TooLarge, Stand::Unreadable),
                         StandName);

TEST_F(ProgramFixture, AbsurdValuesAreBoundedAndNeverSavedBack) {
  programFolder.Write("quillmark_wd.ini",
                      "[fquillmark_wd]\r\nwidth=2147483647\r\nheight=-40\r\n"
                      "[folder_select]\r\nwidth=100000\r\nheight=0x7fffffff\r\n");
  programFolder.Write("display.dat",
                      "[ColWidths[0]]=2147483647\r\n[ColWidths[1]]=-5\r\n[ColWidths[2]]=1\r\n"
                      "[ColWidths[3]]=4000\r\n[ColWidths[4]]=99999999999999\r\n");
  Start();
  EXPECT_LE(window->width(), WorkArea().width());
  EXPECT_EQ(window->height(), std::min(942, WorkArea().height()));  // the designed height
  EXPECT_LE(folderDialog->width(), WorkArea().width());
  EXPECT_LE(folderDialog->height(), WorkArea().height());
  widgets::FrozenColumnTable& grid = *window->Grid();
  EXPECT_EQ(grid.columnWidth(0), DesignedColumnWidth(0));
  EXPECT_EQ(grid.columnWidth(1), DesignedColumnWidth(1));
  EXPECT_EQ(grid.columnWidth(2), DesignedColumnWidth(2));
  EXPECT_EQ(grid.columnWidth(3), 4000);
  EXPECT_EQ(grid.columnWidth(4), DesignedColumnWidth(4));
  EXPECT_TRUE(dialogs.shown.isEmpty());  // readable files: nothing to say
  grid.SetColumnWidth(5, 1000000);       // widened far beyond a screen
  Stop();
  platform::IniFile settings = platform::IniFile::Load(paths.SettingsFile());
  EXPECT_LE(settings.ReadInteger("fquillmark_wd", "width", 0), WorkArea().width());
  EXPECT_GE(settings.ReadInteger("fquillmark_wd", "height", 0), platform::kMinWindowSide);
  std::string widths = ReadAll(paths.ColumnWidthFile());
  EXPECT_NE(widths.find("[ColWidths[5]]=4000\r\n"), std::string::npos) << widths;
  EXPECT_NE(widths.find("[ColWidths[0]]=146\r\n"), std::string::npos) << widths;
}

}  // namespace
}  // namespace app
