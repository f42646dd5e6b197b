#include "designer/core/StyleDocument.h"

#include <stdexcept>

#include "layout/core/StyleFile.h"
#include "layout/core/StyleVersion.h"
#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"

namespace designer {

std::vector<StyleLine> SplitKeepingBreaks(std::string_view bytes) {
  // The same cuts as layout::SplitStyleLines, with the break kept beside
  // each text.
  std::vector<StyleLine> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') {
      continue;
    }
    StyleLine line;
    line.text = std::string(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      line.lineBreak = "\r\n";
      ++i;
    } else {
      line.lineBreak = std::string(1, bytes[i]);
    }
    lines.push_back(std::move(line));
    start = i + 1;
  }
  if (start < bytes.size()) {
    lines.push_back({std::string(bytes.substr(start)), ""});
  }
  return lines;
}

StyleDocument StyleDocument::FromBytes(std::string_view bytes) {
  StyleDocument document;
  document.lines_ = SplitKeepingBreaks(bytes);
  // The conversion never adds or removes lines, so each converted text goes
  // back to its own line and keeps that line's break.
  std::vector<std::string> texts = document.Texts();
  layout::ConvertOlderStyle(texts);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (texts[i] != document.lines_[i].text) {
      document.lines_[i].text = std::move(texts[i]);
      document.converted_ = true;
    }
  }
  return document;
}

StyleDocument StyleDocument::NewStyle(int paperEntry, int orientation) {
  StyleDocument document;
  document.lines_.push_back({layout::StyleHeaderLine(layout::Fixed(), layout::Fixed(), paperEntry,
                                                     orientation == 0 ? 0 : 1, 100),
                             "\r\n"});
  return document;
}

std::string StyleDocument::NewHeader() {
  return NewStyle().Text(0);
}

std::string StyleDocument::Bytes() const {
  std::string bytes;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    bytes += lines_[i].text;
    // A line that lost its place at the end (an element added after it)
    // still needs a break, or it would run into the next line.
    if (lines_[i].lineBreak.empty() && i + 1 < lines_.size()) {
      bytes += "\r\n";
    } else {
      bytes += lines_[i].lineBreak;
    }
  }
  return bytes;
}

std::vector<std::string> StyleDocument::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(lines_.size());
  for (const StyleLine& line : lines_) {
    texts.push_back(line.text);
  }
  return texts;
}

int StyleDocument::PageEnd() const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].text.empty()) {
      return static_cast<int>(i);
    }
  }
  return LineCount();
}

void StyleDocument::Splice(int index, int count, const std::vector<StyleLine>& lines) {
  if (index < 0 || count < 0 || index > LineCount() || count > LineCount() - index) {
    throw std::out_of_range("StyleDocument::Splice: lines " + std::to_string(index) + "+" +
                            std::to_string(count) + " of " + std::to_string(LineCount()));
  }
  auto first = lines_.begin() + index;
  first = lines_.erase(first, first + count);
  lines_.insert(first, lines.begin(), lines.end());
}

void SaveStyleDocument(const StyleDocument& document, const std::string& path,
                       platform::ReadOnlyTarget readOnly) {
  platform::ReplacingFileWriter::ReplaceWith(path, document.Bytes(), readOnly);
}

StyleDocument OpenStyleDocument(const std::string& path) {
  return StyleDocument::FromBytes(platform::ReadFileBytes(path, layout::kStyleFileLimit));
}

}  // namespace designer
