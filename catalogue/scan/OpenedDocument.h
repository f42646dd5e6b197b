#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "catalogue/core/FetchedFiles.h"
#include "platform/files/ReadOnlyFile.h"

namespace catalogue {

// The document being read, opened once for every reader that looks at it
// (the compound-file reader, then the newer formats' reader) as a
// platform::ReadOnlyFile, so that opening never waits (a pipe put where a
// document was) and what is read is the regular file that was checked. The
// next document's path closes it.
//
// Reads are served from blocks of kBlockBytes fetched whole, a run of
// missing blocks with one pread, and kept while the file is open (up to
// kCacheBytes): a reader asking for 512 bytes at a time costs one request of
// the file system per 64 KiB, which on a network share is one round trip
// instead of a hundred.
class OpenedDocument {
 public:
  struct File {
    int fd = -1;
    int error = 0;         // errno of the open, when fd < 0
    bool regular = false;  // opened and a regular file
    std::uint64_t size = 0;
  };

  OpenedDocument() = default;
  ~OpenedDocument();
  OpenedDocument(const OpenedDocument&) = delete;
  OpenedDocument& operator=(const OpenedDocument&) = delete;

  // The file at `path` (file system bytes), opened unless it is the one open
  // (or taken, with the blocks read ahead, from the fetcher in use).
  const File& Open(const std::string& path);
  // Documents are taken from `fetched` when it has them (null: none).
  void UseFetched(FetchedFiles* fetched) { fetched_ = fetched; }

  static constexpr std::size_t kBlockBytes = kDocumentBlockBytes;
  static constexpr std::size_t kCacheBytes = std::size_t{8} << 20;

  // Reads `size` bytes from `offset` of the open file; fewer at its end.
  std::string ReadAt(std::uint64_t offset, std::size_t size) const;
  // The same into `out`; the count of bytes copied.
  std::size_t ReadInto(std::uint64_t offset, std::size_t size, char* out) const;
  // The file open now (after Open).
  const File& Current() const { return file_; }
  // Changes with every file opened: what was made for one file can tell it
  // is no longer the one open.
  std::uint64_t Generation() const { return generation_; }
  // The preads issued on the file open now (how many requests it cost).
  std::size_t Fetches() const { return fetches_; }

  // A new descriptor on the open regular file (the same file, not the path
  // again) with a position of its own; -1 when there is none.
  int NewDescriptor() const;

 private:
  void Close();

  // Copies what the blocks hold of [offset, offset + size) into `out`,
  // fetching the missing ones first; false when the cache is full.
  bool ReadThroughBlocks(std::uint64_t offset, std::size_t size, char* out) const;
  std::size_t Pread(std::uint64_t offset, std::size_t size, char* out) const;

  FetchedFiles* fetched_ = nullptr;
  std::string path_;
  platform::ReadOnlyFile opened_;
  File file_;  // what readers see of opened_
  std::uint64_t generation_ = 0;
  mutable std::map<std::uint64_t, std::string> blocks_;  // by block number
  mutable std::size_t cached_ = 0;
  mutable std::size_t fetches_ = 0;
};

}  // namespace catalogue
