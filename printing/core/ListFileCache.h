#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace printing {

// The document list file, read for every page as the binding requires, but
// split into lines only when the file changed (by size and modification
// time), so printing many pages does not read the list again and again.
class ListFileCache {
 public:
  explicit ListFileCache(std::string path) : path_(std::move(path)) {}

  // The file's lines that name a document; throws platform::UserError when
  // it cannot be read.
  const std::vector<std::string>& Lines();

 private:
  std::string path_;
  bool loaded_ = false;
  std::int64_t size_ = -1;
  std::int64_t modified_ = -1;
  std::vector<std::string> lines_;
};

}  // namespace printing
