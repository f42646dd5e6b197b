#include "tests/support/GsfOutputFile.h"

#include <stdexcept>

namespace testsupport {

GsfOutput* CreateGsfOutputFile(const std::string& path, const std::string& what) {
  static const bool initialised = [] {
    gsf_init();
    return true;
  }();
  (void)initialised;

  GError* error = nullptr;
  GsfOutput* file = gsf_output_stdio_new(path.c_str(), &error);
  if (file == nullptr) {
    if (error != nullptr) {
      g_error_free(error);
    }
    throw std::runtime_error(what + ": cannot create " + path);
  }
  return file;
}

void CheckGsfStep(bool ok, const std::string& what, const std::string& step) {
  if (!ok) {
    throw std::runtime_error(what + ": " + step);
  }
}

}  // namespace testsupport
