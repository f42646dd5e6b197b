#include "catalogue/scan/OpenedDocument.h"

#include <fcntl.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace catalogue {

OpenedDocument::~OpenedDocument() {
  Close();
}

void OpenedDocument::Close() {
  opened_.Close();
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
  std::optional<FetchedFile> fetched =
      fetched_ != nullptr ? fetched_->Take(path) : std::optional<FetchedFile>();
  if (fetched) {
    opened_ = std::move(fetched->file);
    for (auto& [offset, bytes] : fetched->ranges) {
      cached_ += bytes.size();
      blocks_[offset / kBlockBytes] = std::move(bytes);
    }
  } else {
    opened_ = platform::ReadOnlyFile::Open(path);
  }
  file_.fd = opened_.Descriptor();
  file_.error = opened_.Error();
  file_.regular = opened_.Regular();
  file_.size = opened_.Size();
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
  return opened_.ReadAt(offset, out, size);
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
