#pragma once

#include <string>
#include <string_view>

#include "platform/errors/UserError.h"

namespace platform {

// What a writer does with a target its owner may not write (a file whose
// mode has no write bit for its owner: made read-only on purpose).
enum class ReadOnlyTarget {
  Keep,     // refuse: ReadOnlyFileError, the file untouched
  Replace,  // the user has agreed: replaced, keeping its mode
};

// The failure of replacing a read-only file unasked.
class ReadOnlyFileError : public UserError {
 public:
  using UserError::UserError;
};

// The words a window asks with before replacing a read-only file.
inline constexpr const char* kReadOnlyQuestion = "読み取り専用のファイルです。上書きしますか？";

// Whether `path` names an existing file whose owner has no write bit.
bool IsReadOnlyFile(const std::string& path);

// Removes a working file that is no longer needed; nothing when it is not
// there. Any other failure throws UserError naming the file.
void RemoveFileIfExists(const std::string& path);

// Writes a working file so that it is replaced whole or not at all: the bytes
// go to a temporary file in the same folder (TemporaryFiles.h), which
// Commit() flushes to disk and renames over the target. A writer destroyed without Commit() removes
// its temporary file and leaves the old file untouched. Every failure throws
// UserError with a message naming the target file. The replacement keeps the
// old file's mode; a read-only target is kept (ReadOnlyFileError) unless
// the writer is told the user agreed.
class ReplacingFileWriter {
 public:
  explicit ReplacingFileWriter(std::string targetPath,
                               ReadOnlyTarget readOnly = ReadOnlyTarget::Keep);
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
  static void ReplaceWith(const std::string& path, std::string_view bytes,
                          ReadOnlyTarget readOnly = ReadOnlyTarget::Keep);

 private:
  [[noreturn]] void Fail(int err);
  void RefuseReadOnlyTarget() const;

  std::string target_;
  ReadOnlyTarget readOnly_;
  std::string temp_;
  std::string buffer_;
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace platform
