#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/core/SummaryStreamSource.h"

namespace catalogue {

// A message as one line: each line break (CR LF, LF or CR) becomes one blank.
std::string MessageOnOneLine(std::string_view text);

// What is said of a document whose values were cut to the record's limit.
std::string ValuesCutMessage();

// The reader's messages during a folder scan, gathered so that the scan is
// never held up by a box per file and the user gets one summary at its end.
class ScanMessages : public MessageReporter {
 public:
  struct Entry {
    std::string fileName;  // the document's path from the folder scanned (else its
                           // name part), file system bytes
    std::string text;      // the reader's message, UTF-8
  };

  // The folder scanned: a document of its subfolders is named by its path
  // from there.
  void SetFolder(std::string folder) { folder_ = std::move(folder); }

  void ShowMessage(const std::string& path, const std::string& text) override;
  void NoteValuesCut(const std::string& path) override;
  void NoteLeftOut(const std::string& path, const std::string& text) override;
  // A folder the listing left out (one that could not be read, or deeper
  // than it goes), named by its path from the folder scanned.
  void NoteFolderLeftOut(const std::string& folder, const std::string& text);

  // Every entry of the summary in the order of the scan: the unreadable
  // files' messages, the documents whose values were cut or that were read
  // in part, the folders left out.
  const std::vector<Entry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }

  // The summary's first line, with the count of unreadable files, of the
  // documents whose values were cut, of those read in part and of the
  // folders left out.
  std::string Heading() const;

 private:
  void Add(const std::string& path, std::string text);

  std::string folder_;
  std::vector<Entry> entries_;
  std::size_t cut_ = 0;      // entries that are cuts
  std::size_t leftOut_ = 0;  // entries of documents read in part
  std::size_t folders_ = 0;  // entries of folders left out
};

}  // namespace catalogue
