#include "catalogue/core/ScanMessages.h"

#include "catalogue/core/DocumentRecord.h"

namespace catalogue {

std::string MessageOnOneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;  // the LF that follows makes the blank
    }
    line += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return line;
}

std::string ValuesCutMessage() {
  return std::to_string(kRecordFieldLimit) + " 文字を超える値を切り詰めました";
}

void ScanMessages::Add(const std::string& path, std::string text) {
  std::string prefix = folder_.empty() || folder_.back() == '/' ? folder_ : folder_ + "/";
  std::size_t slash = path.rfind('/');
  std::string name = !folder_.empty() && path.compare(0, prefix.size(), prefix) == 0
                         ? path.substr(prefix.size())
                     : slash == std::string::npos ? path
                                                  : path.substr(slash + 1);
  entries_.push_back({std::move(name), std::move(text)});
}

void ScanMessages::ShowMessage(const std::string& path, const std::string& text) {
  Add(path, text);
}

void ScanMessages::NoteValuesCut(const std::string& path) {
  Add(path, ValuesCutMessage());
  ++cut_;
}

std::string ScanMessages::Heading() const {
  std::size_t unreadable = entries_.size() - cut_;
  std::string cuts = std::to_string(kRecordFieldLimit) + " 文字を超える値を切り詰めた文書が " +
                     std::to_string(cut_) + " 件";
  if (cut_ == 0) {
    return "読み取れなかったファイルが " + std::to_string(unreadable) + " 件あります。";
  }
  if (unreadable == 0) {
    return cuts + "あります。";
  }
  return "読み取れなかったファイルが " + std::to_string(unreadable) + " 件、" + cuts + "あります。";
}

}  // namespace catalogue
