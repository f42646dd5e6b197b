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
constexpr int kStaleSeconds = 60;

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

// Removes the temporary files in `folder` whose names start with `prefix`,
// are older than `minAgeSeconds` and are not locked by a writer.
int RemoveStale(const std::string& folder, int minAgeSeconds, std::string_view prefix) {
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) {
    return 0;
  }
  int removed = 0;
  std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string_view name(entry->d_name);
    if (!IsTemporaryName(name) || name.substr(0, prefix.size()) != prefix) {
      continue;
    }
    std::string path = folder + "/" + entry->d_name;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      continue;
    }
    struct stat opened {};
    struct stat named {};
    bool stale = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                 now - opened.st_mtime >= minAgeSeconds;
    // A writer still at work holds the lock; and the name must still be the
    // file that was locked (not one made anew under it meanwhile).
    if (stale && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino &&
        ::unlink(path.c_str()) == 0) {
      ++removed;
    }
    ::close(fd);
  }
  return removed;
}

}  // namespace

TemporaryFile CreateTemporaryBeside(const std::string& target) {
  std::size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  if (name.size() > kMaxKeptName) {
    name.resize(kMaxKeptName);
  }
  std::string prefix = "." + name + std::string(kMarker);
  // What a killed run left for this same file goes now, wherever it is (a
  // PDF or CSV in a folder of the user's that no start-up visits).
  RemoveStale(folder.empty() ? "." : folder, kStaleSeconds, prefix);
  TemporaryFile temp;
  temp.path = folder + prefix + std::string(kRandomLength, 'X');
  temp.fd = ::mkostemp(temp.path.data(), O_CLOEXEC);
  if (temp.fd < 0) {
    temp.fd = -errno;
    temp.path.clear();
    return temp;
  }
  // A new file: no one else holds it. Where the file system takes no locks
  // (some network ones), the clean-up cannot lock it either and leaves it.
  (void)::flock(temp.fd, LOCK_EX | LOCK_NB);
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
  return RemoveStale(folder, minAgeSeconds, ".");
}

}  // namespace platform
