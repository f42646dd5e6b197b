#include "printing/core/ListFileCache.h"

#include <sys/stat.h>

#include <cerrno>

#include "catalogue/core/ListFile.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"

namespace printing {

std::vector<std::string> PrintedLines(const catalogue::DocumentList& documents) {
  std::vector<std::string> lines = documents.ListLines(',');
  std::erase_if(lines, [](const std::string& line) { return !catalogue::NamesADocument(line); });
  return lines;
}

const std::vector<std::string>& ListFileCache::Lines() {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) {
    int err = errno;
    throw platform::UserError(platform::FileErrorMessage("ファイルを開けません", path_, err));
  }
  std::int64_t modified =
      static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  if (!loaded_ || st.st_size != size_ || modified != modified_) {
    lines_.clear();
    lines_.shrink_to_fit();  // the old lines go before the new are read
    loaded_ = false;
    // Rows of unreadable files are left out, as the main window's print
    // leaves them out: no blank row or card stands for them.
    if (!catalogue::ForEachListLine(path_, [&](std::string&& line) {
          if (catalogue::NamesADocument(line)) {
            lines_.push_back(std::move(line));
          }
        })) {
      throw platform::UserError(platform::FileErrorMessage("ファイルを開けません", path_, ENOENT));
    }
    size_ = st.st_size;
    modified_ = modified;
    loaded_ = true;
  }
  return lines_;
}

}  // namespace printing
