#include "layout/core/StyleFile.h"

#include "platform/files/FileBytes.h"

namespace layout {

std::vector<std::string> SplitStyleLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      lines.emplace_back(bytes.substr(start, i - start));
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  if (start < bytes.size()) {
    lines.emplace_back(bytes.substr(start));
  }
  return lines;
}

std::vector<std::string> ReadStyleFile(const std::string& path) {
  return SplitStyleLines(platform::ReadFileBytes(path, kStyleFileLimit));
}

std::string StyleFileText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace layout
