#include "cli/StreamOutput.h"

#include "catalogue/core/ScanMessages.h"
#include "platform/text/Cp932.h"

namespace cli {

void WriteBytes(std::FILE* out, std::string_view bytes) {
  if (!bytes.empty()) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
  }
}

void StdoutLineSink::WriteLine(std::string_view line) {
  WriteBytes(stdout, utf8_ ? std::string(line) : platform::Utf8ToCp932(line));
  WriteBytes(stdout, "\r\n");
}

void StderrReporter::ShowMessage(const std::string& path, const std::string& text) {
  ++count_;
  std::string line = path + ": " + catalogue::MessageOnOneLine(text) + "\n";
  std::fflush(stdout);
  WriteBytes(stderr, line);
}

void StderrReporter::NoteValuesCut(const std::string& path) {
  NoteLeftOut(path, catalogue::ValuesCutMessage());
}

void StderrReporter::NoteLeftOut(const std::string& path, const std::string& text) {
  std::string line = path + ": " + catalogue::MessageOnOneLine(text) + "\n";
  std::fflush(stdout);
  WriteBytes(stderr, line);
}

}  // namespace cli
