#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/core/DocumentList.h"

namespace printing {

// The lines of `documents` a report binds: each row as the print hand-off
// writes it to the list file (fields ended by ";", then ","), the rows of
// unreadable files left out, just as ListFileCache reads them back.
std::vector<std::string> PrintedLines(const catalogue::DocumentList& documents);

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
