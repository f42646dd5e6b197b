#include "platform/files/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

ReadOnlyFile ReadOnlyFile::Open(const std::string& path) {
  ReadOnlyFile file;
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    file.error_ = errno;
    return file;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    file.error_ = errno;
    ::close(fd);
    return file;
  }
  file.fd_ = fd;
  file.regular_ = S_ISREG(st.st_mode);
  file.folder_ = S_ISDIR(st.st_mode);
  file.size_ = file.regular_ && st.st_size > 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
  return file;
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      error_(other.error_),
      regular_(other.regular_),
      folder_(other.folder_),
      size_(other.size_) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    error_ = other.error_;
    regular_ = other.regular_;
    folder_ = other.folder_;
    size_ = other.size_;
  }
  return *this;
}

void ReadOnlyFile::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

std::size_t ReadOnlyFile::ReadAt(std::uint64_t offset, char* out, std::size_t size) const {
  std::size_t got = 0;
  while (got < size) {
    ssize_t n = ::pread(fd_, out + got, size - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  return got;
}

}  // namespace platform
