#pragma once

#include <string>

namespace platform {

// An exclusive lock (flock) on a lock file, held while the object lives, so
// that two instances of the program that end together do not both read,
// merge and replace the same working file, one undoing the other. It waits
// at most `waitMilliseconds` for another holder and then goes on without
// the lock: an instance that hangs must not stop this one from saving.
class FileLock {
 public:
  explicit FileLock(const std::string& lockPath, int waitMilliseconds = 5000);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool Held() const { return held_; }

 private:
  int fd_ = -1;
  bool held_ = false;
};

// The lock file that guards the working files of `workingFile`'s folder.
std::string LockFileBeside(const std::string& workingFile);

}  // namespace platform
