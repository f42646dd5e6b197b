#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "catalogue/core/ListFile.h"
#include "catalogue/core/SummaryStreamSource.h"

namespace cli {

// Writes bytes to a stream as they are (list lines are code page 932).
void WriteBytes(std::FILE* out, std::string_view bytes);

// List lines to standard output, each followed by CR LF.
class StdoutLineSink : public catalogue::LineSink {
 public:
  void WriteLine(std::string_view line) override;
};

// The reader's messages on stderr, one line each: the file's name, ": ", then
// the message with each line break turned into one blank.
class StderrReporter : public catalogue::MessageReporter {
 public:
  void SetSubject(std::string subject) { subject_ = std::move(subject); }
  void ShowMessage(const std::string& text) override;

 private:
  std::string subject_;
};

// A message as one line: CR LF (or a lone LF or CR) becomes one blank.
std::string OneLine(std::string_view text);

}  // namespace cli
