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
  blocks_.clear();
  cached_ = 0;
  fetches_ = 0;
}

const OpenedDocument::File& OpenedDocument::Open(const std::string& path) {
  if (path == path_ && (file_.fd >= 0 || file_.error != 0)) {
    return file_;
  }
  Close();
  ++generation_;
  path_ = path;
  if (fetcher_ != nullptr) {
    if (std::optional<FetchedFile> fetched = fetcher_->Take(path)) {
      file_.fd = fetched->fd;
      file_.error = fetched->error;
      file_.regular = fetched->regular;
      file_.size = fetched->size;
      for (auto& [offset, bytes] : fetched->ranges) {
        cached_ += bytes.size();
        blocks_[offset / kBlockBytes] = std::move(bytes);
      }
      return file_;
    }
  }
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
  bytes.resize(ReadInto(offset, bytes.size(), bytes.data()));
  return bytes;
}

std::size_t OpenedDocument::Pread(std::uint64_t offset, std::size_t size, char* out) const {
  ++fetches_;
  std::size_t got = 0;
  while (got < size) {
    ssize_t n = ::pread(file_.fd, out + got, size - got, static_cast<off_t>(offset + got));
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

std::size_t OpenedDocument::ReadInto(std::uint64_t offset, std::size_t size, char* out) const {
  if (!file_.regular || offset >= file_.size || size == 0) {
    return 0;
  }
  size = static_cast<std::size_t>(std::min<std::uint64_t>(size, file_.size - offset));
  if (ReadThroughBlocks(offset, size, out)) {
    return size;
  }
  return Pread(offset, size, out);  // more than the cache keeps: read as asked
}

bool OpenedDocument::ReadThroughBlocks(std::uint64_t offset, std::size_t size, char* out) const {
  const std::uint64_t first = offset / kBlockBytes;
  const std::uint64_t last = (offset + size - 1) / kBlockBytes;
  // Each run of missing blocks with one pread.
  for (std::uint64_t block = first; block <= last;) {
    if (blocks_.count(block) != 0) {
      ++block;
      continue;
    }
    std::uint64_t runEnd = block;
    while (runEnd + 1 <= last && blocks_.count(runEnd + 1) == 0) {
      ++runEnd;
    }
    std::uint64_t from = block * kBlockBytes;
    std::uint64_t to = std::min<std::uint64_t>((runEnd + 1) * kBlockBytes, file_.size);
    auto length = static_cast<std::size_t>(to - from);
    if (cached_ + length > kCacheBytes) {
      return false;
    }
    std::string run(length, '\0');
    std::size_t got = Pread(from, length, run.data());
    if (got < length) {
      return false;  // the file is shorter than it said: read as asked
    }
    if (runEnd == block) {
      blocks_[block] = std::move(run);  // the usual case: one block, kept as read
    } else {
      for (std::uint64_t b = block; b <= runEnd; ++b) {
        std::size_t at = static_cast<std::size_t>((b - block) * kBlockBytes);
        blocks_[b] = run.substr(at, std::min(kBlockBytes, length - at));
      }
    }
    cached_ += length;
    block = runEnd + 1;
  }
  std::size_t done = 0;
  for (std::uint64_t block = first; block <= last; ++block) {
    const std::string& bytes = blocks_[block];
    std::size_t start = block == first ? static_cast<std::size_t>(offset % kBlockBytes) : 0;
    std::size_t n = std::min(size - done, bytes.size() - std::min(start, bytes.size()));
    std::copy_n(bytes.data() + start, n, out + done);
    done += n;
  }
  return done == size;
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
