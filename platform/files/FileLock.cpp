#include "platform/files/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace platform {

namespace {

constexpr int kPollMilliseconds = 10;

}  // namespace

FileLock::FileLock(const std::string& lockPath, int waitMilliseconds) {
  fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd_ < 0) {
    return;  // a folder that cannot be written: the save itself will say so
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
  for (;;) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      held_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMilliseconds));
  }
}

FileLock::~FileLock() {
  if (fd_ >= 0) {
    if (held_) {
      ::flock(fd_, LOCK_UN);
    }
    ::close(fd_);
  }
}

std::string LockFileBeside(const std::string& workingFile) {
  std::size_t slash = workingFile.rfind('/');
  std::string folder = slash == std::string::npos ? "." : workingFile.substr(0, slash);
  return folder + "/.quillmark_wd.lock";
}

}  // namespace platform
