#include "printing/core/PdfNames.h"

namespace printing {

std::string TimestampedPdfName(const std::tm& local) {
  char name[64];
  std::strftime(name, sizeof name, "print-%Y%m%d-%H%M%S.pdf", &local);
  return name;
}

std::string FirstFreePath(const std::string& folder, const std::string& name,
                          const std::function<bool(const std::string&)>& exists) {
  std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  std::string path = prefix + name;
  std::size_t dot = name.rfind('.');
  std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  std::string extension = stem.size() == name.size() ? "" : name.substr(dot);
  for (int n = 2; exists(path) && n < 100000; ++n) {
    path = prefix + stem + "-" + std::to_string(n) + extension;
  }
  return path;
}

}  // namespace printing
