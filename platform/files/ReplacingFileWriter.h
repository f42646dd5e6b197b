#pragma once

#include <string>
#include <string_view>

namespace platform {

// Writes a working file so that it is replaced whole or not at all: the bytes
// go to a temporary file in the same folder (TemporaryFiles.h), which
// Commit() flushes to disk and renames over the target. A writer destroyed without Commit() removes
// its temporary file and leaves the old file untouched. Every failure throws
// UserError with a message naming the target file.
class ReplacingFileWriter {
 public:
  explicit ReplacingFileWriter(std::string targetPath);
  ~ReplacingFileWriter();
  ReplacingFileWriter(const ReplacingFileWriter&) = delete;
  ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;

  void Write(std::string_view bytes);
  // Puts what was written so far into the temporary file.
  void Flush();
  void Commit();
  // Where the bytes go until Commit(); another writer (a PDF printer, say)
  // may fill it instead of Write().
  const std::string& TemporaryPath() const { return temp_; }

  // Replaces `path` with `bytes` in one step.
  static void ReplaceWith(const std::string& path, std::string_view bytes);

 private:
  [[noreturn]] void Fail(int err);

  std::string target_;
  std::string temp_;
  std::string buffer_;
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace platform
