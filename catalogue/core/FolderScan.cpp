#include "catalogue/core/FolderScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/FileFetcher.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"

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
constexpr const char* kFolderGone = "読み取りの途中でフォルダーが読めなくなりました";

// How far the scan reads ahead: files, and what of each file.
constexpr std::size_t kReadAheadFiles = 64;
constexpr off_t kReadAheadWhole = off_t{1} << 20;
constexpr off_t kReadAheadEnds = off_t{256} << 10;
// How many documents other cores read ahead of the scan.
constexpr std::size_t kReadingWindow = 16;
// Files found in memory one after another before the read-ahead thread
// ends and leaves the reader to look now and then.
constexpr std::size_t kCachedToSample = 16;

// Directory closed on every path.
struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

}  // namespace

const std::vector<std::string_view>& NewerFormatExtensions() {
  static const std::vector<std::string_view> extensions = {
      ".docx", ".docm", ".dotx", ".dotm", ".odt",  ".ott",  ".xls",  ".xlt",
      ".ppt",  ".pps",  ".xlsx", ".xlsm", ".xltx", ".pptx", ".pptm", ".ppsx",
      ".ods",  ".ots",  ".odp",  ".otp",  ".fodt", ".fods", ".fodp", ".pdf",
  };
  return extensions;
}

std::string EmptyFolderMessage(const std::string& folderPath, DocumentFormats formats,
                               std::size_t newerDocuments, std::string_view howToList) {
  if (formats == DocumentFormats::WithNewer) {
    return folderPath + "\r\n上記フォルダーに文書は見つかりませんでした";
  }
  std::string message = folderPath + "\r\n上記フォルダーにエクセルファイルは見つかりませんでした";
  if (newerDocuments > 0) {
    message += "\r\n.docx などの文書が " + std::to_string(newerDocuments) + " 件あります。";
    message += howToList;
  }
  return message;
}

bool MatchesDocumentMask(std::string_view name, DocumentFormats formats) {
  if (name.empty() || name.front() == '.') {
    return false;
  }
  if (EndsWithFolded(name, ".doc") || EndsWithFolded(name, ".wrd") ||
      EndsWithFolded(name, ".rtf")) {
    return true;
  }
  if (formats == DocumentFormats::Classic) {
    return false;
  }
  for (std::string_view extension : NewerFormatExtensions()) {
    if (EndsWithFolded(name, extension)) {
      return true;
    }
  }
  return false;
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

namespace {

// One folder's entries: the matching documents and the subfolders to list.
struct FolderEntries {
  std::vector<std::string> documents;
  std::vector<std::string> subfolders;
};

FolderEntries ReadFolder(const std::string& folder, DocumentFormats formats, bool withSubfolders) {
  FolderEntries found;
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
    bool document = MatchesDocumentMask(name, formats);
    bool maybeFolder = withSubfolders && !name.empty() && name.front() != '.' &&
                       (entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN);
    if (!document && !maybeFolder) {
      continue;
    }
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) {
      // The file system does not say: ask, without following a link.
      struct stat st {};
      if (::lstat(JoinPath(folder, std::string(name)).c_str(), &st) != 0) {
        continue;
      }
      type = S_ISDIR(st.st_mode)   ? DT_DIR
             : S_ISLNK(st.st_mode) ? DT_LNK
             : S_ISREG(st.st_mode) ? DT_REG
                                   : DT_UNKNOWN;
    }
    if (type == DT_DIR && maybeFolder) {
      found.subfolders.emplace_back(name);
      continue;
    }
    if (!document) {
      continue;
    }
    bool regular = type == DT_REG;
    if (type == DT_LNK) {
      // A link to a document counts as the document.
      struct stat st {};
      regular =
          ::stat(JoinPath(folder, std::string(name)).c_str(), &st) == 0 && S_ISREG(st.st_mode);
    }
    if (regular) {
      found.documents.emplace_back(name);
    }
  }
  auto byName = [](const std::string& a, const std::string& b) { return NameLess(a, b); };
  std::sort(found.documents.begin(), found.documents.end(), byName);
  std::sort(found.subfolders.begin(), found.subfolders.end(), byName);
  return found;
}

// The documents of the subfolder `relative` of `root` and of its own
// subfolders, in listing order; `seen` holds the folders listed already.
void ListSubfolder(const std::string& root, const std::string& relative, DocumentFormats formats,
                   int depth, std::set<std::pair<dev_t, ino_t>>& seen,
                   std::vector<std::string>& names, std::vector<LeftOutFolder>* leftOut) {
  std::string folder = JoinPath(root, relative);
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    if (errno != ENOENT && leftOut != nullptr) {  // not gone meanwhile: unreadable
      leftOut->push_back(
          {relative, platform::FileErrorMessage(kCannotOpenFolder, folder, errno), true});
    }
    return;
  }
  if (!seen.insert({st.st_dev, st.st_ino}).second) {
    return;  // met before through a bind mount
  }
  FolderEntries entries;
  try {
    entries = ReadFolder(folder, formats, true);
  } catch (const platform::UserError& e) {
    if (leftOut != nullptr) {
      leftOut->push_back({relative, e.what(), true});  // lists nothing, and is said
    }
    return;
  }
  for (std::string& name : entries.documents) {
    names.push_back(relative.empty() ? std::move(name) : relative + "/" + name);
  }
  if (depth >= kMaxSubfolderDepth) {
    if (!entries.subfolders.empty() && leftOut != nullptr) {
      leftOut->push_back({relative, TooDeepMessage(), false});
    }
    return;
  }
  for (const std::string& sub : entries.subfolders) {
    ListSubfolder(root, relative.empty() ? sub : relative + "/" + sub, formats, depth + 1, seen,
                  names, leftOut);
  }
}

}  // namespace

std::string TooDeepMessage() {
  return "この下のフォルダーは " + std::to_string(kMaxSubfolderDepth) +
         " 階層を超えるため読みません";
}

std::vector<std::string> ListDocumentFiles(const std::string& folder, DocumentFormats formats,
                                           Subfolders subfolders,
                                           std::vector<LeftOutFolder>* leftOut) {
  if (subfolders == Subfolders::Left) {
    return ReadFolder(folder, formats, false).documents;
  }
  // The chosen folder itself must open, as without the subfolders.
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) {
    int err = errno;
    throw platform::UserError(platform::FileErrorMessage(kCannotOpenFolder, folder, err));
  }
  dir.reset();
  std::vector<std::string> names;
  std::set<std::pair<dev_t, ino_t>> seen;
  ListSubfolder(folder, "", formats, 0, seen, names, leftOut);
  return names;
}

std::string FindDocumentByField(const std::string& folder, std::string_view field) {
  // A row from a subfolder names it before the file's name.
  std::size_t slash = field.rfind('/');
  std::string subfolder =
      slash == std::string_view::npos ? "" : std::string(field.substr(0, slash));
  std::string_view leaf = slash == std::string_view::npos ? field : field.substr(slash + 1);
  std::vector<std::string> names;
  try {
    names = ListDocumentFiles(JoinPath(folder, subfolder), DocumentFormats::WithNewer);
  } catch (const platform::UserError&) {
    return {};
  }
  std::string found;
  int matches = 0;
  for (const std::string& name : names) {
    if (RecordFieldText(FileNameFieldOf(name)) == leaf) {
      found = name;
      ++matches;
    }
  }
  return matches == 1 ? JoinPath(subfolder, found) : std::string();
}

namespace {

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
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return false;  // the reader will say why, in its turn
  }
  struct stat st {};
  bool asked = false;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && !FirstPageInMemory(fd)) {
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
// ahead of the reader and never further. Where it finds the documents in
// memory already the thread ends (even a thread that only sleeps slows the
// reading down) and the reader itself looks at a file now and then, twice
// as far on each time; the first file a look finds on disk starts a thread
// again from there.
class ReadAhead {
 public:
  // Throws std::system_error when no thread can be started.
  ReadAhead(const std::string& folder, const std::vector<std::string>& names)
      : folder_(folder), names_(names) {
    Start(0);
  }
  ~ReadAhead() { EndThread(); }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The reader has come to file `index`; most files cost it three atomic
  // operations. They are sequentially consistent: either the reader sees
  // the point the thread waits for, or the thread sees the reader already
  // past it.
  void Reached(std::size_t index) {
    reached_.store(index);
    if (index >= wakeAt_.load()) {
      std::lock_guard<std::mutex> lock(mutex_);
      wake_.notify_one();
    }
    std::size_t look = lookAt_.load();
    if (look != kNone && index + kReadAheadFiles > look) {
      LookWhileWarm(look);
    }
  }

 private:
  static constexpr std::size_t kNone = SIZE_MAX;

  void Start(std::size_t from) {
    EndThread();
    stop_ = false;
    lookAt_.store(kNone);
    lookStep_ = kReadAheadFiles;
    thread_ = std::thread([this, from] { Run(from); });
  }

  void EndThread() {
    if (!thread_.joinable()) {
      return;
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }

  void Run(std::size_t from) {
    try {
      std::size_t cachedInARow = 0;
      for (std::size_t next = from; next < names_.size(); ++next) {
        if (!WaitUntilNear(next)) {
          return;
        }
        if (AskToReadAhead(JoinPath(folder_, names_[next]))) {
          cachedInARow = 0;
        } else if (++cachedInARow >= kCachedToSample) {
          lookAt_.store(next + kReadAheadFiles);  // the reader looks from here on
          return;
        }
      }
    } catch (...) {
      // Reading ahead is only a help: without it the scan is merely slower.
    }
  }

  // Waits until the reader is within kReadAheadFiles of `next`; false when
  // the scan is over.
  bool WaitUntilNear(std::size_t next) {
    std::size_t due = next < kReadAheadFiles ? 0 : next - kReadAheadFiles + 1;
    std::unique_lock<std::mutex> lock(mutex_);
    wakeAt_.store(due);
    wake_.wait(lock, [&] { return stop_ || reached_.load() >= due; });
    wakeAt_.store(kNone);
    return !stop_;
  }

  // On the reader's thread, once the thread has ended on a warm stretch.
  void LookWhileWarm(std::size_t look) {
    if (look >= names_.size()) {
      lookAt_.store(kNone);  // nothing left to look at
      return;
    }
    if (!AskToReadAhead(JoinPath(folder_, names_[look]))) {
      lookAt_.store(look + lookStep_);  // in memory too: look further on
      lookStep_ *= 2;
      return;
    }
    try {
      Start(look + 1);
    } catch (const std::system_error&) {
      lookAt_.store(kNone);  // no thread to spare: the scan goes on without
    }
  }

  const std::string& folder_;
  const std::vector<std::string>& names_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::atomic<std::size_t> reached_{0};
  std::atomic<std::size_t> wakeAt_{kNone};
  std::atomic<std::size_t> lookAt_{kNone};  // set once the thread has ended on a warm stretch
  std::size_t lookStep_ = kReadAheadFiles;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace

namespace {

// Whether `folder` is there as a folder; errno tells why not.
bool IsFolder(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) {
    return false;
  }
  if (!S_ISDIR(st.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  return true;
}

}  // namespace

bool ScanDocuments(const std::string& folder, const std::vector<std::string>& names,
                   DocumentReader& reader, LineSink& sink,
                   const std::function<bool(std::size_t, std::size_t)>& progress,
                   const ReaderMaker& makeReader) {
  // While one document is read, the disk is already asked for the next
  // ones: a cold folder (a slow disk, a network share) is then read at the
  // disk's pace rather than one seek after another. The order of the lines
  // and of the messages stays the list's.
  // On a network share the next documents are opened and their first and
  // last blocks read by several threads at once, their round trips
  // overlapping; on a local disk the read-ahead asks the disk for them, and
  // the other cores read the documents ahead.
  std::vector<std::string> paths;
  paths.reserve(names.size());
  for (const std::string& name : names) {
    paths.push_back(JoinPath(folder, name));
  }
  std::optional<ReadAhead> readAhead;
  std::optional<FileFetcher> fetcher;
  int fetchers = names.size() > 1 ? FetchersFor(folder) : 0;
  if (fetchers > 0) {
    try {
      fetcher.emplace(paths, fetchers, 2 * static_cast<std::size_t>(fetchers), kDocumentBlockBytes);
      reader.UseFetchedFiles(&*fetcher);
    } catch (const std::system_error&) {
      fetcher.reset();
    }
  }
  if (!fetcher && names.size() > 1) {
    try {
      readAhead.emplace(folder, names);
    } catch (const std::system_error&) {
      // No thread to spare: the scan goes on without reading ahead.
    }
  }
  // The reader keeps no pointer to the fetcher past the scan.
  struct Forget {
    DocumentReader& reader;
    bool used;
    ~Forget() {
      if (used) {
        reader.UseFetchedFiles(nullptr);
      }
    }
  } forget{reader, fetcher.has_value()};
  std::optional<ParallelReading> parallel;
  int readers = !fetcher && makeReader ? ReadingThreadsFor(names.size()) : 0;
  if (readers > 0) {
    try {
      parallel.emplace(paths, names, makeReader, readers, kReadingWindow);
    } catch (const std::exception&) {
      // Reading on other cores is only a help: without it the scan is slower.
    }
  }
  bool folderThere = IsFolder(folder);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (readAhead) {
      readAhead->Reached(i);
    }
    std::optional<std::string> line;
    if (parallel) {
      line = parallel->Take(i, reader.Reporter());
    }
    if (!line) {
      line = reader.ReadDocumentRecord(paths[i], names[i]);
    }
    // A document that gave no line may be the first of a folder that has
    // gone (a share that stopped answering, a disk unplugged): then the
    // scan stops there with one message, not one per document left.
    if (line->empty() && folderThere && !IsFolder(folder)) {
      throw platform::UserError(platform::FileErrorMessage(kFolderGone, folder, errno));
    }
    sink.WriteLine(*line);
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
