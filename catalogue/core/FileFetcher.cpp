#include "catalogue/core/FileFetcher.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace catalogue {

namespace {

std::size_t ReadFully(int fd, std::uint64_t offset, std::string& into) {
  std::size_t got = 0;
  while (got < into.size()) {
    ssize_t n = ::pread(fd, into.data() + got, into.size() - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      break;
    }
    got += static_cast<std::size_t>(n);
  }
  into.resize(got);
  return got;
}

void CloseFetched(std::optional<FetchedFile>& file) {
  if (file && file->fd >= 0) {
    ::close(file->fd);
    file->fd = -1;
  }
}

}  // namespace

FileFetcher::FileFetcher(std::vector<std::string> paths, int threads, std::size_t window,
                         std::size_t blockBytes)
    : paths_(std::move(paths)),
      window_(window == 0 ? 1 : window),
      blockBytes_(blockBytes),
      slots_(paths_.size()) {
  try {
    for (int i = 0; i < threads; ++i) {
      threads_.emplace_back([this] { Run(); });
    }
  } catch (...) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& t : threads_) {
      t.join();
    }
    throw;
  }
}

FileFetcher::~FileFetcher() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : threads_) {
    t.join();
  }
  for (std::optional<FetchedFile>& slot : slots_) {
    CloseFetched(slot);
  }
}

std::optional<FetchedFile> FileFetcher::Take(const std::string& path) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (threads_.empty()) {
    return std::nullopt;
  }
  // The next of the list, or one a little further when the reader passed
  // some by (those are dropped and closed).
  std::size_t index = next_;
  std::size_t end = std::min(paths_.size(), next_ + window_);
  while (index < end && paths_[index] != path) {
    ++index;
  }
  if (index >= end) {
    return std::nullopt;
  }
  for (std::size_t skipped = next_; skipped < index; ++skipped) {
    CloseFetched(slots_[skipped]);
    slots_[skipped].reset();
  }
  next_ = index;
  changed_.wait(lock, [&] { return slots_[index].has_value() || stop_; });
  if (!slots_[index]) {
    return std::nullopt;
  }
  std::optional<FetchedFile> file = std::move(slots_[index]);
  slots_[index].reset();
  ++next_;
  lock.unlock();
  changed_.notify_all();  // the window moved on
  return file;
}

void FileFetcher::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    changed_.wait(
        lock, [&] { return stop_ || (claimed_ < paths_.size() && claimed_ < next_ + window_); });
    if (stop_) {
      return;
    }
    std::size_t index = claimed_++;
    std::string path = paths_[index];
    lock.unlock();
    FetchedFile file = Fetch(path);
    lock.lock();
    slots_[index] = std::move(file);
    if (stop_ || index < next_) {
      CloseFetched(slots_[index]);  // no longer wanted
      slots_[index].reset();
    }
    changed_.notify_all();
  }
}

FetchedFile FileFetcher::Fetch(const std::string& path) const {
  FetchedFile file;
  file.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (file.fd < 0) {
    file.error = errno;
    return file;
  }
  struct stat st {};
  if (::fstat(file.fd, &st) != 0) {
    file.error = errno;
    ::close(file.fd);
    file.fd = -1;
    return file;
  }
  file.regular = S_ISREG(st.st_mode);
  if (!file.regular || st.st_size <= 0) {
    return file;
  }
  file.size = static_cast<std::uint64_t>(st.st_size);
  std::uint64_t lastBlock = (file.size - 1) / blockBytes_;
  std::vector<std::uint64_t> blocks{0};
  if (lastBlock != 0) {
    blocks.push_back(lastBlock);
  }
  for (std::uint64_t block : blocks) {
    std::uint64_t offset = block * blockBytes_;
    std::string bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(blockBytes_, file.size - offset)), '\0');
    std::size_t want = bytes.size();
    if (ReadFully(file.fd, offset, bytes) < want) {
      break;  // shorter than it said: the reader reads it itself
    }
    file.ranges.emplace_back(offset, std::move(bytes));
  }
  return file;
}

int FetchersFor(const std::string& folder) {
  if (const char* forced = std::getenv("QUILL_FETCH_THREADS")) {
    int n = std::atoi(forced);
    return n < 0 ? 0 : (n > 64 ? 64 : n);
  }
  struct statfs fs {};
  if (::statfs(folder.empty() ? "." : folder.c_str(), &fs) != 0) {
    return 0;
  }
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969UL:      // NFS
    case 0x517BUL:      // SMB
    case 0xFF534D42UL:  // CIFS
    case 0xFE534D42UL:  // SMB2
    case 0x65735546UL:  // FUSE (sshfs, smbnetfs ...)
    case 0x01021997UL:  // 9P
      return 16;
    default: return 0;
  }
}

}  // namespace catalogue
