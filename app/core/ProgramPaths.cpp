#include "app/core/ProgramPaths.h"

#include <unistd.h>

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

}  // namespace app
