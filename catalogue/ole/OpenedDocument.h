#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>

namespace catalogue {

// The document being read, opened once for every reader that looks at it
// (the compound-file reader, then the package and RTF reader): with
// O_NONBLOCK, so that opening never waits (a pipe put where a document was),
// and checked on the descriptor, so that what is read is the regular file
// that was checked. The next document's path closes it.
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

  // The file at `path` (file system bytes), opened unless it is the one open.
  const File& Open(const std::string& path);

  // Reads `size` bytes from `offset` of the open file; fewer at its end.
  std::string ReadAt(std::uint64_t offset, std::size_t size) const;

  // A new descriptor on the open regular file (the same file, not the path
  // again) with a position of its own; -1 when there is none.
  int NewDescriptor() const;

 private:
  void Close();

  std::string path_;
  File file_;
};

}  // namespace catalogue
