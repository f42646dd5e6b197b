#pragma once

#include <string>

namespace testsupport {

// A chain of folders under `root` longer than the system takes as a path
// (made and removed step by step, by descriptor): a folder no one, root
// included, can open by its path. The object removes it when it goes.
class TooLongPath {
 public:
  explicit TooLongPath(std::string root);
  ~TooLongPath();
  TooLongPath(const TooLongPath&) = delete;
  TooLongPath& operator=(const TooLongPath&) = delete;

 private:
  std::string root_;
};

}  // namespace testsupport
