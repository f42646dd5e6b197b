#include "platform/files/ProgramPaths.h"

#include <unistd.h>

#include <filesystem>

namespace platform {

namespace {

std::string WithIniExtension(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::size_t dot = path.rfind('.');
  bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (hasExtension ? path.substr(0, dot) : path) + ".ini";
}

// `folder` + "/" + name.
std::string InFolder(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

}  // namespace

ProgramPaths::ProgramPaths(const std::string& executablePath)
    : settings_(WithIniExtension(executablePath)) {
  std::size_t slash = executablePath.rfind('/');
  folder_ = slash == std::string::npos ? "." : executablePath.substr(0, slash == 0 ? 1 : slash);
  config_ = shared_ = folder_;
}

ProgramPaths::ProgramPaths(std::string folder, const std::string& programName)
    : folder_(std::move(folder)),
      config_(folder_),
      shared_(folder_),
      settings_(WithIniExtension(File(programName))) {}

ProgramPaths::ProgramPaths(std::string dataFolder, std::string configFolder,
                           std::string sharedFolder, const std::string& programName)
    : folder_(std::move(dataFolder)),
      config_(std::move(configFolder)),
      shared_(std::move(sharedFolder)),
      settings_(WithIniExtension(InFolder(config_, programName))) {}

std::string ProgramPaths::File(const std::string& name) const {
  return InFolder(folder_, name);
}

std::string ProgramPaths::ConfigFile(const std::string& name) const {
  return InFolder(config_, name);
}

std::string ProgramPaths::ListFile() const {
  return File(kListFileName);
}
std::string ProgramPaths::ColumnWidthFile() const {
  return ConfigFile(kColumnWidthFileName);
}
std::string ProgramPaths::DialogIcon() const {
  return InFolder(shared_, "dialog.ico");
}

std::string ProgramPaths::Manual() const {
  std::string compiled = InFolder(shared_, "quillmark_wd.chm");
  return ::access(compiled.c_str(), F_OK) == 0 ? compiled : InFolder(shared_, "quillmark_wd.html");
}

namespace {

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

// Copies the shipped files that the working folder does not have yet.
void SeedMissingFiles(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code made;
  std::filesystem::create_directories(to, made);
  std::error_code ignored;
  for (auto it = std::filesystem::recursive_directory_iterator(from, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    std::filesystem::path target = to / std::filesystem::relative(it->path(), from, ignored);
    if (it->is_directory(ignored)) {
      std::filesystem::create_directories(target, ignored);
    } else if (!std::filesystem::exists(target, ignored)) {
      std::filesystem::copy_file(it->path(), target, ignored);
    }
  }
}

// Moves a settings file an older version kept in the data folder into the
// configuration folder, unless one is there already. Across file systems it
// is copied to a temporary name beside the target and renamed once whole;
// the original is removed only then, so a failed copy loses nothing and is
// tried again at the next start.
void MoveSettingsFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(from, error) || std::filesystem::exists(to, error) ||
      error) {
    return;
  }
  std::filesystem::rename(from, to, error);
  if (!error) {
    return;
  }
  std::filesystem::path temporary = to;
  temporary += ".moving";
  std::error_code copied;
  std::error_code sizeFrom;
  std::error_code sizeTo;
  std::error_code renamed;
  bool whole =
      std::filesystem::copy_file(from, temporary, std::filesystem::copy_options::overwrite_existing,
                                 copied) &&
      !copied &&
      std::filesystem::file_size(from, sizeFrom) == std::filesystem::file_size(temporary, sizeTo) &&
      !sizeFrom && !sizeTo;
  if (whole) {
    std::filesystem::rename(temporary, to, renamed);
  }
  std::error_code ignored;
  if (!whole || renamed) {
    std::filesystem::remove(temporary, ignored);
    return;
  }
  std::filesystem::remove(from, ignored);
}

}  // namespace

ProgramPaths ResolveProgramPaths(const std::string& executablePath, const std::string& xdgDataHome,
                                 const std::string& xdgConfigHome, const std::string& home) {
  std::filesystem::path directory = DirectoryOf(executablePath);
  std::filesystem::path shipped = directory / ".." / "share" / "quillmark_wd";
  std::error_code ignored;
  if (std::filesystem::exists(directory / "dialog.ico", ignored) ||
      !std::filesystem::is_directory(shipped, ignored)) {
    return ProgramPaths(executablePath);
  }
  std::filesystem::path userHome(home.empty() ? "/tmp" : home);
  std::filesystem::path data =
      !xdgDataHome.empty() ? std::filesystem::path(xdgDataHome) : userHome / ".local" / "share";
  std::filesystem::path config =
      !xdgConfigHome.empty() ? std::filesystem::path(xdgConfigHome) : userHome / ".config";
  std::filesystem::path folder = data / "quillmark_wd";
  std::filesystem::path settings = config / "quillmark_wd";
  std::filesystem::create_directories(folder, ignored);
  std::filesystem::create_directories(settings, ignored);
  // Only the styles are the user's to change; the manual and the icon are
  // read where they are installed, so an upgrade shows its own.
  SeedMissingFiles(shipped / "style", folder / "style");
  for (const char* name : kSettingsFileNames) {
    MoveSettingsFile(folder / name, settings / name);
  }
  return ProgramPaths(folder.string(), settings.string(),
                      std::filesystem::weakly_canonical(shipped, ignored).string(), "quillmark_wd");
}

}  // namespace platform
