#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "catalogue/core/ListFile.h"
#include "catalogue/core/SummaryStreamSource.h"

namespace cli {

// Writes bytes to a stream as they are.
void WriteBytes(std::FILE* out, std::string_view bytes);

// List lines (UTF-8) to standard output, each followed by CR LF: in code
// page 932, a character it lacks as "?", or with `utf8` as they are.
class StdoutLineSink : public catalogue::LineSink {
 public:
  explicit StdoutLineSink(bool utf8 = false) : utf8_(utf8) {}
  void WriteLine(std::string_view line) override;

 private:
  bool utf8_;
};

// The reader's messages on stderr, one line each: the file's path, ": ", then
// the message with each line break turned into one blank. Counts them, so a
// command can tell whether every file was read.
class StderrReporter : public catalogue::MessageReporter {
 public:
  void ShowMessage(const std::string& path, const std::string& text) override;
  // Said on stderr too, but not counted: the document was read.
  void NoteValuesCut(const std::string& path) override;
  void NoteLeftOut(const std::string& path, const std::string& text) override;
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

}  // namespace cli
