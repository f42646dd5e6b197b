#include "catalogue/core/FolderScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/files/FileBytes.h"
#include "platform/files/UserError.h"

namespace catalogue {

namespace {

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithFolded(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) {
    return false;
  }
  std::string_view tail = name.substr(name.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (FoldAscii(tail[i]) != suffix[i]) {
      return false;
    }
  }
  return true;
}

constexpr const char* kCannotOpenFolder = "フォルダーを開けません";

// How far the scan reads ahead: files, and what of each file.
constexpr std::size_t kReadAheadFiles = 64;
constexpr off_t kReadAheadWhole = off_t{1} << 20;
constexpr off_t kReadAheadEnds = off_t{256} << 10;
// Files found in memory one after another before the read-ahead stops.
constexpr std::size_t kCachedToStop = 16;

// Directory closed on every path.
struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

std::string EmptyFolderMessage(const std::string& folderPath) {
  return folderPath + "\r\n上記フォルダーにエクセルファイルは見つかりませんでした";
}

bool MatchesDocumentMask(std::string_view name) {
  if (name.empty() || name.front() == '.') {
    return false;
  }
  return EndsWithFolded(name, ".doc") || EndsWithFolded(name, ".wrd") ||
         EndsWithFolded(name, ".rtf");
}

bool NameLess(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(FoldAscii(a[i]));
    unsigned char y = static_cast<unsigned char>(FoldAscii(b[i]));
    if (x != y) {
      return x < y;
    }
  }
  if (a.size() != b.size()) {
    return a.size() < b.size();
  }
  return a < b;
}

std::vector<std::string> ListDocumentFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) {
    int err = errno;
    throw platform::UserError(platform::FileErrorMessage(kCannotOpenFolder, folder, err));
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir.get());
    if (entry == nullptr) {
      if (int err = errno; err != 0) {
        throw platform::UserError(platform::FileErrorMessage(kCannotOpenFolder, folder, err));
      }
      break;
    }
    std::string_view name(entry->d_name);
    if (!MatchesDocumentMask(name)) {
      continue;
    }
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      // The entry type is not known (or is a link): ask for the target's.
      struct stat st {};
      regular =
          ::stat(JoinPath(folder, std::string(name)).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    if (regular) {
      names.emplace_back(name);
    }
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return NameLess(a, b); });
  return names;
}

bool AskToReadAhead(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    return false;  // the reader will say why, in its turn
  }
  // Its first page in memory already (a read that would not wait) is taken
  // to mean the file is: nothing to ask.
  char first = 0;
  iovec one{&first, 1};
  if (::preadv2(fd, &one, 1, 0, RWF_NOWAIT) >= 0) {
    ::close(fd);
    return false;
  }
  struct stat st {};
  bool asked = false;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    asked = true;
    auto size = static_cast<off_t>(st.st_size);
    if (size <= kReadAheadWhole) {
      ::posix_fadvise(fd, 0, 0, POSIX_FADV_WILLNEED);
    } else {
      // A large document: its header and the tables at either end.
      ::posix_fadvise(fd, 0, kReadAheadEnds, POSIX_FADV_WILLNEED);
      ::posix_fadvise(fd, size - kReadAheadEnds, kReadAheadEnds, POSIX_FADV_WILLNEED);
    }
  }
  ::close(fd);
  return asked;
}

namespace {

// Asks the disk for the next documents on a thread of its own, a few files
// ahead of the reader and never further, so that the reading itself pays
// nothing for it when the folder is in memory already.
class ReadAheadThread {
 public:
  ReadAheadThread(const std::string& folder, const std::vector<std::string>& names)
      : folder_(folder), names_(names), thread_([this] { Run(); }) {}
  ~ReadAheadThread() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  ReadAheadThread(const ReadAheadThread&) = delete;
  ReadAheadThread& operator=(const ReadAheadThread&) = delete;

  // The reader has come to file `index`.
  void Reached(std::size_t index) {
    if (done_.load(std::memory_order_relaxed)) {
      return;
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      reached_ = index;
    }
    wake_.notify_one();
  }

 private:
  void Run() {
    std::size_t cachedInARow = 0;
    for (std::size_t next = 0; next < names_.size(); ++next) {
      {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [&] { return stop_ || next < reached_ + kReadAheadFiles; });
        if (stop_) {
          break;
        }
      }
      // A folder whose documents are in memory already needs none of this.
      cachedInARow = AskToReadAhead(JoinPath(folder_, names_[next])) ? 0 : cachedInARow + 1;
      if (cachedInARow >= kCachedToStop) {
        break;
      }
    }
    done_.store(true, std::memory_order_relaxed);
  }

  const std::string& folder_;
  const std::vector<std::string>& names_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::size_t reached_ = 0;
  bool stop_ = false;
  std::atomic<bool> done_{false};
  std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace

bool ScanDocuments(const std::string& folder, const std::vector<std::string>& names,
                   DocumentReader& reader, LineSink& sink,
                   const std::function<bool(std::size_t, std::size_t)>& progress) {
  // While one document is read, the disk is already asked for the next
  // ones: a cold folder (a slow disk, a network share) is then read at the
  // disk's pace rather than one seek after another. The order of the lines
  // and of the messages stays the list's.
  std::optional<ReadAheadThread> readAhead;
  if (names.size() > 1) {
    readAhead.emplace(folder, names);
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (readAhead) {
      readAhead->Reached(i);
    }
    sink.WriteLine(reader.ReadDocumentRecord(JoinPath(folder, names[i])));
    if (progress && !progress(i + 1, names.size())) {
      return false;
    }
  }
  return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  if (folder.back() == '/') {
    return folder + name;
  }
  return folder + "/" + name;
}

}  // namespace catalogue
