#pragma once

#include <string>

namespace app {

// Where the working files live: the program folder (the executable's folder)
// and the settings file (the executable's path with ".ini" for its extension).
class ProgramPaths {
 public:
  // `executablePath` is the full path of the running program.
  explicit ProgramPaths(const std::string& executablePath);
  // Paths for a given folder and program name (tests use a temporary folder).
  ProgramPaths(std::string folder, const std::string& programName);

  const std::string& Folder() const { return folder_; }
  const std::string& SettingsFile() const { return settings_; }
  // Folder() + "/" + name
  std::string File(const std::string& name) const;

  std::string ListFile() const;
  std::string ColumnWidthFile() const;
  std::string DialogIcon() const;
  // The manual: "quillmark_wd.chm" when it is there, else the HTML manual.
  std::string Manual() const;

 private:
  std::string folder_;
  std::string settings_;
};

// The program folder of the running program. In the build tree the working
// files stay beside the executable. An installed program (its files under
// <prefix>/share/quillmark_wd, no "dialog.ico" beside the executable) cannot
// write there, so it works in $XDG_DATA_HOME/quillmark_wd (default
// ~/.local/share/quillmark_wd), seeded with the shipped files (styles,
// icon, manual) that are missing there.
ProgramPaths ResolveProgramPaths(const std::string& executablePath, const std::string& xdgDataHome,
                                 const std::string& home);

}  // namespace app
