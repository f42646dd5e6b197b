#include "catalogue/core/ListFile.h"

#include <algorithm>

#include "catalogue/core/DocumentRecord.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/text/Cp932.h"
#include "platform/text/Utf8.h"

namespace catalogue {

namespace {

// A line of the file's bytes as the program holds it.
std::string LineText(const std::string& bytes, bool utf8) {
  return utf8 ? platform::ValidUtf8(bytes) : platform::DecodeCp932(bytes);
}

}  // namespace

std::vector<std::string> SplitListLines(std::string_view bytes) {
  bool utf8 = bytes.substr(0, kUtf8ListMark.size()) == kUtf8ListMark;
  if (utf8) {
    bytes.remove_prefix(kUtf8ListMark.size());
  }
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
      lines.push_back(LineText(line, utf8));
      line.clear();
      open = false;
    } else if (c != '\r') {  // a CR is dropped as if it were not there
      line += c;
      open = true;
    }
  }
  if (open) {
    lines.push_back(LineText(line, utf8));
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
  std::string head;    // the first bytes, which may be the mark of UTF-8
  bool exists = platform::ReadFileInChunks(path, kListFileLimit, [&](std::string_view chunk) {
    if (head.size() < kUtf8ListMark.size()) {
      head.append(chunk.substr(0, kUtf8ListMark.size() - head.size()));
    }
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
  bool utf8 = head == kUtf8ListMark;
  std::size_t markLeft = utf8 ? kUtf8ListMark.size() : 0;  // mark bytes still to pass over
  std::string current;
  open = false;  // a line has started and not yet ended
  ended = false;
  std::size_t count = 0;
  auto hand = [&] {
    if (++count > kListLineLimit) {
      TooManyLines(path);  // the file changed since it was counted
    }
    line(LineText(current, utf8));
    current.clear();
    open = false;
  };
  exists = platform::ReadFileInChunks(path, kListFileLimit, [&](std::string_view chunk) {
    std::size_t skipped = std::min(markLeft, chunk.size());
    chunk.remove_prefix(skipped);
    markLeft -= skipped;
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

bool NamesADocument(std::string_view line) {
  std::size_t semicolon = line.find(';');
  return semicolon != std::string_view::npos && semicolon > 0;
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

ListFileWriter::ListFileWriter(const std::string& path, ListEncoding encoding)
    : path_(path),
      file_(std::make_unique<platform::ReplacingFileWriter>(path)),
      utf8_(encoding == ListEncoding::Utf8) {
  if (utf8_) {
    file_->Write(kUtf8ListMark);
  }
}

void ListFileWriter::WriteLine(std::string_view line) {
  if (!utf8_) {
    if (std::optional<std::string> stored = platform::EncodeCp932Exactly(line)) {
      file_->Write(*stored);
      file_->Write("\r\n");
      return;
    }
    BecomeUtf8();
  }
  file_->Write(line);
  file_->Write("\r\n");
}

void ListFileWriter::BecomeUtf8() {
  file_->Flush();
  auto utf8 = std::make_unique<platform::ReplacingFileWriter>(path_);
  utf8->Write(kUtf8ListMark);
  ForEachListLine(file_->TemporaryPath(), [&](std::string&& line) {
    utf8->Write(line);
    utf8->Write("\r\n");
  });
  file_ = std::move(utf8);  // the code page 932 file is removed unused
  utf8_ = true;
}

void WriteListFile(const std::string& path, const std::vector<std::string>& lines) {
  ListFileWriter writer(path);
  for (const std::string& line : lines) {
    writer.WriteLine(line);
  }
  writer.Commit();
}

}  // namespace catalogue
