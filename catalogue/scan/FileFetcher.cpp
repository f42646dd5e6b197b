#include "catalogue/scan/FileFetcher.h"

#include <sys/vfs.h>

#include <algorithm>
#include <cstdlib>

namespace catalogue {

FileFetcher::FileFetcher(std::vector<std::string> paths, int threads, std::size_t window,
                         std::size_t blockBytes)
    : paths_(std::move(paths)),
      window_(window == 0 ? 1 : window),
      blockBytes_(blockBytes),
      fetched_(paths_.size(), static_cast<std::size_t>(std::max(threads, 0)), window_,
               [this](std::size_t index, std::size_t) { return Fetch(paths_[index]); }) {}

std::optional<FetchedFile> FileFetcher::Take(const std::string& path) {
  if (!fetched_.HasWorkers()) {
    return std::nullopt;
  }
  // The next of the list, or one a little further when the reader passed
  // some by.
  std::size_t end = std::min(paths_.size(), next_ + window_);
  std::size_t index = next_;
  while (index < end && paths_[index] != path) {
    ++index;
  }
  if (index >= end) {
    return std::nullopt;
  }
  next_ = index + 1;
  return fetched_.Take(index, OrderedWindow<FetchedFile>::Taking::WaitForWorker);
}

FetchedFile FileFetcher::Fetch(const std::string& path) const {
  FetchedFile fetched;
  fetched.file = platform::ReadOnlyFile::Open(path);
  std::uint64_t size = fetched.file.Size();
  if (size == 0) {
    return fetched;  // not opened, not a regular file, or empty
  }
  std::uint64_t lastBlock = (size - 1) / blockBytes_;
  std::vector<std::uint64_t> blocks{0};
  if (lastBlock != 0) {
    blocks.push_back(lastBlock);
  }
  for (std::uint64_t block : blocks) {
    std::uint64_t offset = block * blockBytes_;
    std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(blockBytes_, size - offset)),
                      '\0');
    if (fetched.file.ReadAt(offset, bytes.data(), bytes.size()) < bytes.size()) {
      break;  // shorter than it said: the reader reads it itself
    }
    fetched.ranges.emplace_back(offset, std::move(bytes));
  }
  return fetched;
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
