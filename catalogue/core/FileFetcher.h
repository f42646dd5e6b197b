#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace catalogue {

// The blocks documents are read in (the adapter's cache keeps them so).
inline constexpr std::size_t kDocumentBlockBytes = 64 << 10;

// A document opened and its first and last block read before the reader
// comes to it.
struct FetchedFile {
  int fd = -1;    // open without blocking; whoever takes it closes it
  int error = 0;  // errno of the open, when fd < 0
  bool regular = false;
  std::uint64_t size = 0;
  // Block-aligned ranges read (offset, bytes): the first block and, for a
  // larger file, the last (where a ZIP archive keeps its directory).
  std::vector<std::pair<std::uint64_t, std::string>> ranges;
};

// Several threads that open the documents of a list and read their first
// and last blocks, a bounded window ahead of one reader that takes them in
// the list's order: on a network share the round trips of many documents
// overlap while the records, messages and progress stay in the list's
// order. Memory stays within the window's blocks.
class FileFetcher {
 public:
  // `paths` in the order they will be taken. Throws std::system_error when
  // no thread can be started.
  FileFetcher(std::vector<std::string> paths, int threads, std::size_t window,
              std::size_t blockBytes);
  // Stops the threads (each ends after the file it is fetching) and closes
  // what was fetched and not taken.
  ~FileFetcher();
  FileFetcher(const FileFetcher&) = delete;
  FileFetcher& operator=(const FileFetcher&) = delete;

  // The fetched `path` when it is the next of the list, or a little further
  // (the ones passed by are dropped), waiting for it; nothing for a path out
  // of the list's order, which the reader opens itself.
  std::optional<FetchedFile> Take(const std::string& path);

 private:
  void Run();
  FetchedFile Fetch(const std::string& path) const;

  std::vector<std::string> paths_;
  std::size_t window_;
  std::size_t blockBytes_;
  std::vector<std::optional<FetchedFile>> slots_;
  std::size_t next_ = 0;     // the next the reader takes
  std::size_t claimed_ = 0;  // the next a fetcher starts on
  bool stop_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> threads_;
};

// How many fetchers a scan of `folder` uses: 16 on a network file system
// (NFS, SMB/CIFS, FUSE mounts such as sshfs), where each request waits a
// round trip, none on a local disk, which the read-ahead serves. The
// environment variable QUILL_FETCH_THREADS, when set, says instead (tests
// and benchmarks).
int FetchersFor(const std::string& folder);

}  // namespace catalogue
