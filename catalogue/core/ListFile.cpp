#include "catalogue/core/ListFile.h"

#include <algorithm>

#include "catalogue/core/DocumentRecord.h"
#include "platform/errors/UserError.h"
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

namespace {

[[noreturn]] void TooManyLines(const std::string& path) {
  throw platform::UserError("ファイルを読み込めません: " + path + "\r\n行が多すぎます (上限 " +
                            std::to_string(kListLineLimit) + " 行)");
}

}  // namespace

bool ForEachListLine(const std::string& path, const std::function<void(std::string&&)>& line) {
  // The lines are counted first, so a file of too many is refused before
  // anything is held: each LF ends one, and a last line without LF counts.
  std::size_t lines = 0;
  bool open = false;   // bytes since the last LF, CRs aside
  bool ended = false;  // a byte 0x1A was met
  bool exists = platform::ReadFileInChunks(path, kListFileLimit, [&](std::string_view chunk) {
    for (char c : chunk) {
      if (ended || c == '\x1A') {
        ended = true;
        return;
      }
      if (c == '\n') {
        ++lines;
        open = false;
      } else if (c != '\r') {
        open = true;
      }
    }
  });
  if (!exists) {
    return false;
  }
  std::size_t breaks = lines + (open ? 1 : 0);
  if (breaks > kListLineLimit) {
    TooManyLines(path);
  }
  std::string current;
  open = false;  // a line has started and not yet ended
  ended = false;
  std::size_t count = 0;
  auto hand = [&] {
    if (++count > kListLineLimit) {
      TooManyLines(path);  // the file changed since it was counted
    }
    line(std::move(current));
    current.clear();
    open = false;
  };
  exists = platform::ReadFileInChunks(path, kListFileLimit, [&](std::string_view chunk) {
    for (char c : chunk) {
      if (ended) {
        return;
      }
      if (c == '\x1A') {
        ended = true;
      } else if (c == '\n') {
        hand();
      } else if (c != '\r') {  // a CR is dropped as if it were not there
        current += c;
        open = true;
      }
    }
  });
  if (exists && open) {
    hand();
  }
  return exists;
}

std::optional<std::vector<std::string>> ReadListFile(const std::string& path) {
  std::vector<std::string> lines;
  if (!ForEachListLine(path, [&](std::string&& line) { lines.push_back(std::move(line)); })) {
    return std::nullopt;
  }
  return lines;
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
