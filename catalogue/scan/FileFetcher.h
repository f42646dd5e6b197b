#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/core/FetchedFiles.h"
#include "catalogue/scan/OrderedWindow.h"

namespace catalogue {

// Opens the documents of a list and reads their first and last blocks on
// several threads, a bounded window ahead of the one reader that takes them
// in the list's order: on a network share the round trips of many documents
// overlap while the records, messages and progress stay in the list's
// order. Memory stays within the window's blocks.
class FileFetcher : public FetchedFiles {
 public:
  // `paths` in the order they will be taken. Throws std::system_error when
  // no thread can be started.
  FileFetcher(std::vector<std::string> paths, int threads, std::size_t window,
              std::size_t blockBytes);

  // The fetched `path` when it is the next of the list, or a little further
  // (the ones passed by are dropped and closed), waiting for it; nothing for
  // a path out of the list's order, which the reader opens itself.
  std::optional<FetchedFile> Take(const std::string& path) override;

 private:
  FetchedFile Fetch(const std::string& path) const;

  std::vector<std::string> paths_;
  std::size_t window_;
  std::size_t blockBytes_;
  std::size_t next_ = 0;  // the next the reader takes
  OrderedWindow<FetchedFile> fetched_;
};

// How many fetchers a scan of `folder` uses: 16 on a network file system
// (NFS, SMB/CIFS, FUSE mounts such as sshfs), where each request waits a
// round trip, none on a local disk, which the read-ahead serves. The
// environment variable QUILL_FETCH_THREADS, when set, says instead (tests
// and benchmarks).
int FetchersFor(const std::string& folder);

}  // namespace catalogue
