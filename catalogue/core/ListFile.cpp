#include "catalogue/core/ListFile.h"

#include "catalogue/core/DocumentRecord.h"
#include "platform/files/FileBytes.h"

namespace catalogue {

std::vector<std::string> SplitListLines(std::string_view bytes) {
  std::size_t end = bytes.find('\x1A');
  if (end != std::string_view::npos) {
    bytes = bytes.substr(0, end);
  }
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // a line has started and not yet ended
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      open = false;
    } else if (c != '\r') {  // a CR is dropped as if it were not there
      line += c;
      open = true;
    }
  }
  if (open) {
    lines.push_back(std::move(line));
  }
  return lines;
}

std::optional<std::vector<std::string>> ReadListFile(const std::string& path) {
  std::optional<std::string> bytes = platform::ReadFileBytesIfExists(path);
  if (!bytes) {
    return std::nullopt;
  }
  return SplitListLines(*bytes);
}

std::string NextField(std::string& rest) {
  std::size_t semicolon = rest.find(';');
  if (semicolon == std::string::npos) {
    return {};
  }
  std::string field = rest.substr(0, semicolon);
  rest.erase(0, semicolon + 1);
  return field;
}

std::string GridRowLine(const std::vector<std::string>& cells, char tail) {
  std::string line;
  for (std::size_t i = 0; i < kRecordFieldCount; ++i) {
    if (i < cells.size()) {
      line += RecordFieldText(cells[i]);
    }
    line += ';';
  }
  if (cells.size() > kRecordFieldCount) {
    line += RecordFieldText(cells[kRecordFieldCount]);
  }
  line += tail;
  return line;
}

void ListFileWriter::WriteLine(std::string_view line) {
  file_.Write(line);
  file_.Write("\r\n");
}

void WriteListFile(const std::string& path, const std::vector<std::string>& lines) {
  ListFileWriter writer(path);
  for (const std::string& line : lines) {
    writer.WriteLine(line);
  }
  writer.Commit();
}

}  // namespace catalogue
