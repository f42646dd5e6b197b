#pragma once

#include <string>

namespace platform {

// The working files' names: the document list the scan writes and the
// print hand-off reads, and the grid's column widths.
inline constexpr const char* kListFileName = "excel_list.temp";
inline constexpr const char* kColumnWidthFileName = "display.dat";

// Where the program's files live. In a build (and in tests) everything is in
// one program folder: the working files, the settings and the shipped files
// (icon, manual, styles). An installed program keeps its working files (the
// list file, the styles) in the user's data folder, its settings in the
// user's configuration folder, and reads the shipped icon and manual where
// the package put them.
class ProgramPaths {
 public:
  // `executablePath` is the full path of the running program: all beside it,
  // the settings file being that path with ".ini" for its extension.
  explicit ProgramPaths(const std::string& executablePath);
  // Paths for a given folder and program name (tests use a temporary folder).
  ProgramPaths(std::string folder, const std::string& programName);
  // An installed program's: working files in `dataFolder`, settings in
  // `configFolder`, shipped files read from `sharedFolder`.
  ProgramPaths(std::string dataFolder, std::string configFolder, std::string sharedFolder,
               const std::string& programName);

  const std::string& Folder() const { return folder_; }
  const std::string& SettingsFile() const { return settings_; }
  // Folder() + "/" + name: a working file.
  std::string File(const std::string& name) const;
  // A file of the user's settings (the column widths, the title history).
  std::string ConfigFile(const std::string& name) const;

  std::string ListFile() const;
  std::string ColumnWidthFile() const;
  std::string DialogIcon() const;
  // The manual as shipped with the running program: "quillmark_wd.chm"
  // when it is there, else the HTML manual.
  std::string Manual() const;

 private:
  std::string folder_;
  std::string config_;
  std::string shared_;
  std::string settings_;
};

// The settings files an installed program keeps in the configuration
// folder (an older one kept them in the data folder).
inline constexpr const char* kSettingsFileNames[] = {"quillmark_wd.ini", "display.dat",
                                                     "titlelist.DAT", "titlelist.DAT.utf8"};

// The folders of the running program. In the build tree (a "dialog.ico"
// beside the executable, or no <prefix>/share/quillmark_wd) everything stays
// beside the executable. An installed program cannot write where it is
// installed, so it works in $XDG_DATA_HOME/quillmark_wd (default
// ~/.local/share/quillmark_wd), seeded with the shipped styles that are
// missing there, and keeps its settings in $XDG_CONFIG_HOME/quillmark_wd
// (default ~/.config/quillmark_wd); settings an older version left in the
// data folder are moved there once, never over one already there.
ProgramPaths ResolveProgramPaths(const std::string& executablePath, const std::string& xdgDataHome,
                                 const std::string& xdgConfigHome, const std::string& home);

}  // namespace platform
