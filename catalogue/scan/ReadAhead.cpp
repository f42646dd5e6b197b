#include "catalogue/scan/ReadAhead.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/files/ReadOnlyFile.h"

namespace catalogue {

namespace {

// How far the scan reads ahead: files, and what of each file.
constexpr std::size_t kReadAheadFiles = 64;
constexpr off_t kReadAheadWhole = off_t{1} << 20;
constexpr off_t kReadAheadEnds = off_t{256} << 10;
// Files found in memory one after another before the read-ahead thread
// ends and leaves the reader to look now and then.
constexpr std::size_t kCachedToSample = 16;

// Whether the first page of an open file is in memory already: a read that
// must not wait tells where the file system allows it; elsewhere (tmpfs,
// some network file systems) the page's residence in a mapping does.
bool FirstPageInMemory(int fd) {
  char first = 0;
  iovec one{&first, 1};
  if (::preadv2(fd, &one, 1, 0, RWF_NOWAIT) >= 0) {
    return true;
  }
  if (errno == EAGAIN) {
    return false;
  }
  long page = ::sysconf(_SC_PAGESIZE);
  void* map = ::mmap(nullptr, static_cast<std::size_t>(page), PROT_READ, MAP_SHARED, fd, 0);
  if (map == MAP_FAILED) {
    return false;
  }
  unsigned char resident = 0;
  bool inMemory = ::mincore(map, static_cast<std::size_t>(page), &resident) == 0 && (resident & 1);
  ::munmap(map, static_cast<std::size_t>(page));
  return inMemory;
}

}  // namespace

bool AskToReadAhead(const std::string& path) {
  platform::ReadOnlyFile file = platform::ReadOnlyFile::Open(path);
  if (file.Size() == 0 || FirstPageInMemory(file.Descriptor())) {
    return false;  // not there, not a document, empty or in memory already
  }
  auto size = static_cast<off_t>(file.Size());
  if (size <= kReadAheadWhole) {
    ::posix_fadvise(file.Descriptor(), 0, 0, POSIX_FADV_WILLNEED);
  } else {
    // A large document: its header and the tables at either end.
    ::posix_fadvise(file.Descriptor(), 0, kReadAheadEnds, POSIX_FADV_WILLNEED);
    ::posix_fadvise(file.Descriptor(), size - kReadAheadEnds, kReadAheadEnds, POSIX_FADV_WILLNEED);
  }
  return true;
}

ReadAhead::ReadAhead(const std::vector<std::string>& paths) : paths_(paths) {
  Start(0, 0);
}

void ReadAhead::Start(std::size_t from, std::size_t reached) {
  asking_.reset();
  askFrom_ = from;
  cachedInARow_ = 0;
  lookStep_ = kReadAheadFiles;
  lookAt_.store(kNone);
  asking_.emplace(
      paths_.size(), 1, kReadAheadFiles,
      [this](std::size_t index, std::size_t) { return Ask(index); }, reached);
}

bool ReadAhead::Ask(std::size_t index) {
  if (index < askFrom_ || lookAt_.load() != kNone) {
    return false;  // looked at already, or ended on a warm stretch
  }
  if (AskToReadAhead(paths_[index])) {
    cachedInARow_ = 0;
  } else if (++cachedInARow_ >= kCachedToSample) {
    lookAt_.store(index + kReadAheadFiles);
  }
  return true;
}

void ReadAhead::Reached(std::size_t index) {
  std::size_t look = lookAt_.load();
  if (look == kNone) {
    if (asking_) {
      asking_->MoveTo(index);
    }
    return;
  }
  asking_.reset();  // the thread has stopped asking: it ends here
  if (index + kReadAheadFiles > look) {
    LookWhileWarm(look, index);
  }
}

void ReadAhead::LookWhileWarm(std::size_t look, std::size_t reached) {
  if (look >= paths_.size()) {
    lookAt_.store(kNone);  // nothing left to look at
    return;
  }
  if (!AskToReadAhead(paths_[look])) {
    lookAt_.store(look + lookStep_);  // in memory too: look further on
    lookStep_ *= 2;
    return;
  }
  try {
    Start(look + 1, reached);
  } catch (const std::system_error&) {
    lookAt_.store(kNone);  // no thread to spare: the scan goes on without
  }
}

}  // namespace catalogue
