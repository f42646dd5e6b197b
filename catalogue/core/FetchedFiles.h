#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/ReadOnlyFile.h"

namespace catalogue {

// The blocks documents are read in (the reading cache keeps them so).
inline constexpr std::size_t kDocumentBlockBytes = 64 << 10;

// A document opened and its first and last block read before the reader
// comes to it.
struct FetchedFile {
  platform::ReadOnlyFile file;
  // Block-aligned ranges read (offset, bytes): the first block and, for a
  // larger file, the last (where a ZIP archive keeps its directory).
  std::vector<std::pair<std::uint64_t, std::string>> ranges;
};

// Where a reader takes documents opened ahead of it.
class FetchedFiles {
 public:
  virtual ~FetchedFiles() = default;
  // The document at `path` when it was fetched ahead; nothing when the
  // reader is to open it itself.
  virtual std::optional<FetchedFile> Take(const std::string& path) = 0;
};

}  // namespace catalogue
