#include "catalogue/scan/DocumentScan.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <system_error>

#include "catalogue/core/FolderScan.h"
#include "catalogue/scan/FileFetcher.h"
#include "catalogue/scan/ReadAhead.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"

namespace catalogue {

namespace {

constexpr const char* kFolderGone = "読み取りの途中でフォルダーが読めなくなりました";

// How many documents other cores read ahead of the scan.
constexpr std::size_t kReadingWindow = 16;

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
      readAhead.emplace(paths);
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

}  // namespace catalogue
