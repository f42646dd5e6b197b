#include "cli/StreamOutput.h"

namespace cli {

void WriteBytes(std::FILE* out, std::string_view bytes) {
  if (!bytes.empty()) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
  }
}

void StdoutLineSink::WriteLine(std::string_view line) {
  WriteBytes(stdout, line);
  WriteBytes(stdout, "\r\n");
}

std::string OneLine(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;  // the LF that follows makes the blank
    }
    line += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return line;
}

void StderrReporter::ShowMessage(const std::string& text) {
  std::string line = subject_ + ": " + OneLine(text) + "\n";
  std::fflush(stdout);
  WriteBytes(stderr, line);
}

}  // namespace cli
