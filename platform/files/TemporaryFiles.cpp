#include "platform/files/TemporaryFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <ctime>
#include <memory>

namespace platform {

namespace {

constexpr std::string_view kMarker = ".quilltmp-";
constexpr std::size_t kRandomLength = 6;  // mkostemp's XXXXXX
// Room left for the marker and the random part within a 255-byte name.
constexpr std::size_t kMaxKeptName = 200;

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

TemporaryFile CreateTemporaryBeside(const std::string& target) {
  std::size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name.size() > kMaxKeptName) {
    name.resize(kMaxKeptName);
  }
  TemporaryFile temp;
  temp.path = folder + "." + name + std::string(kMarker) + std::string(kRandomLength, 'X');
  temp.fd = ::mkostemp(temp.path.data(), O_CLOEXEC);
  if (temp.fd < 0) {
    temp.fd = -errno;
    temp.path.clear();
    return temp;
  }
  ::flock(temp.fd, LOCK_EX | LOCK_NB);  // a new file: no one else holds it
  return temp;
}

bool IsTemporaryName(std::string_view name) {
  if (name.size() < 1 + kMarker.size() + kRandomLength || name.front() != '.') {
    return false;
  }
  std::size_t at = name.size() - kRandomLength - kMarker.size();
  return name.substr(at, kMarker.size()) == kMarker;
}

int RemoveStaleTemporaries(const std::string& folder, int minAgeSeconds) {
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) {
    return 0;
  }
  int removed = 0;
  std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir.get())) {
    if (!IsTemporaryName(entry->d_name)) {
      continue;
    }
    std::string path = folder + "/" + entry->d_name;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      continue;
    }
    struct stat st {};
    bool stale = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime >= minAgeSeconds;
    // A writer still at work holds the lock.
    if (stale && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0) {
      ++removed;
    }
    ::close(fd);
  }
  return removed;
}

}  // namespace platform
