#include "app/core/ProgramPaths.h"

#include <unistd.h>

#include <filesystem>

#include "app/core/ColumnWidths.h"
#include "catalogue/core/ListFile.h"

namespace app {

namespace {

std::string WithIniExtension(const std::string& path) {
  std::size_t slash = path.rfind('/');
  std::size_t dot = path.rfind('.');
  bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (hasExtension ? path.substr(0, dot) : path) + ".ini";
}

}  // namespace

ProgramPaths::ProgramPaths(const std::string& executablePath)
    : settings_(WithIniExtension(executablePath)) {
  std::size_t slash = executablePath.rfind('/');
  folder_ = slash == std::string::npos ? "." : executablePath.substr(0, slash == 0 ? 1 : slash);
}

ProgramPaths::ProgramPaths(std::string folder, const std::string& programName)
    : folder_(std::move(folder)), settings_(WithIniExtension(File(programName))) {}

std::string ProgramPaths::File(const std::string& name) const {
  return folder_ == "/" ? "/" + name : folder_ + "/" + name;
}

std::string ProgramPaths::ListFile() const {
  return File(catalogue::kListFileName);
}
std::string ProgramPaths::ColumnWidthFile() const {
  return File(kColumnWidthFileName);
}
std::string ProgramPaths::DialogIcon() const {
  return File("dialog.ico");
}

std::string ProgramPaths::Manual() const {
  std::string compiled = File("quillmark_wd.chm");
  return ::access(compiled.c_str(), F_OK) == 0 ? compiled : File("quillmark_wd.html");
}

namespace {

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

// Copies the shipped files that the working folder does not have yet.
void SeedMissingFiles(const std::filesystem::path& from, const std::filesystem::path& to) {
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

}  // namespace

ProgramPaths ResolveProgramPaths(const std::string& executablePath, const std::string& xdgDataHome,
                                 const std::string& home) {
  std::filesystem::path directory = DirectoryOf(executablePath);
  std::filesystem::path shipped = directory / ".." / "share" / "quillmark_wd";
  std::error_code ignored;
  if (std::filesystem::exists(directory / "dialog.ico", ignored) ||
      !std::filesystem::is_directory(shipped, ignored)) {
    return ProgramPaths(executablePath);
  }
  std::filesystem::path data =
      !xdgDataHome.empty()
          ? std::filesystem::path(xdgDataHome)
          : std::filesystem::path(home.empty() ? "/tmp" : home) / ".local" / "share";
  std::filesystem::path folder = data / "quillmark_wd";
  std::filesystem::create_directories(folder, ignored);
  SeedMissingFiles(shipped, folder);
  return ProgramPaths(folder.string(), "quillmark_wd");
}

}  // namespace app
