#include "tests/support/LongPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

namespace testsupport {

namespace {

const std::string kName(200, 'n');
constexpr int kLevels = 24;  // 24 x 201 bytes: beyond PATH_MAX (4,096)

}  // namespace

TooLongPath::TooLongPath(std::string root) : root_(std::move(root)) {
  int fd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY);
  for (int i = 0; i < kLevels && fd >= 0; ++i) {
    ::mkdirat(fd, kName.c_str(), 0755);
    int next = ::openat(fd, kName.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
  }
  if (fd < 0) {
    throw std::runtime_error("cannot make a long path under " + root_);
  }
  ::close(fd);
}

TooLongPath::~TooLongPath() {
  std::vector<int> fds{::open(root_.c_str(), O_RDONLY | O_DIRECTORY)};
  for (int i = 0; i < kLevels - 1 && fds.back() >= 0; ++i) {
    fds.push_back(::openat(fds.back(), kName.c_str(), O_RDONLY | O_DIRECTORY));
  }
  for (std::size_t i = fds.size(); i-- > 0;) {
    if (fds[i] >= 0) {
      ::unlinkat(fds[i], kName.c_str(), AT_REMOVEDIR);
      ::close(fds[i]);
    }
  }
}

}  // namespace testsupport
