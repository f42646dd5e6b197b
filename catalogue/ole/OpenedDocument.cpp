#include "catalogue/ole/OpenedDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace catalogue {

OpenedDocument::~OpenedDocument() {
  Close();
}

void OpenedDocument::Close() {
  if (file_.fd >= 0) {
    ::close(file_.fd);
  }
  file_ = File{};
  path_.clear();
}

const OpenedDocument::File& OpenedDocument::Open(const std::string& path) {
  if (path == path_ && (file_.fd >= 0 || file_.error != 0)) {
    return file_;
  }
  Close();
  path_ = path;
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    file_.error = errno;
    return file_;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    file_.error = errno;
    ::close(fd);
    return file_;
  }
  file_.fd = fd;
  file_.regular = S_ISREG(st.st_mode);
  file_.size = file_.regular ? static_cast<std::uint64_t>(st.st_size) : 0;
  return file_;
}

std::string OpenedDocument::ReadAt(std::uint64_t offset, std::size_t size) const {
  std::string bytes;
  if (!file_.regular || offset >= file_.size) {
    return bytes;
  }
  bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, file_.size - offset)));
  std::size_t got = 0;
  while (got < bytes.size()) {
    ssize_t n =
        ::pread(file_.fd, bytes.data() + got, bytes.size() - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

int OpenedDocument::NewDescriptor() const {
  if (!file_.regular) {
    return -1;
  }
  // Through /proc the same file opens again, whatever is at the path now.
  std::string self = "/proc/self/fd/" + std::to_string(file_.fd);
  int fd = ::open(self.c_str(), O_RDONLY | O_CLOEXEC);
  return fd >= 0 ? fd : ::fcntl(file_.fd, F_DUPFD_CLOEXEC, 0);
}

}  // namespace catalogue
