#pragma once

#include <string>
#include <string_view>

namespace testsupport {

// A fresh folder under $TMPDIR (or /tmp), removed with its content when the
// object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string File(std::string_view name) const;
  // Writes `bytes` to a file of the folder and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::string path_;
};

// The whole content of a file (empty when it cannot be read).
std::string ReadAll(const std::string& path);

}  // namespace testsupport
