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

void ScanMessages::NoteLeftOut(const std::string& path, const std::string& text) {
  Add(path, text);
  ++leftOut_;
}

void ScanMessages::NoteFolderLeftOut(const std::string& folder, const std::string& text) {
  entries_.push_back({folder.empty() ? std::string(".") : folder + "/", text});
  ++folders_;
}

std::string ScanMessages::Heading() const {
  std::size_t unreadable = entries_.size() - cut_ - leftOut_ - folders_;
  std::string heading;
  auto part = [&](std::size_t count, const std::string& what) {
    if (count > 0) {
      heading += (heading.empty() ? "" : "、") + what + "が " + std::to_string(count) + " 件";
    }
  };
  part(unreadable, "読み取れなかったファイル");
  part(cut_, std::to_string(kRecordFieldLimit) + " 文字を超える値を切り詰めた文書");
  part(leftOut_, "一部を読み取らなかった文書");
  part(folders_, "読まなかったフォルダー");
  if (heading.empty()) {
    heading = "読み取れなかったファイルが 0 件";  // an empty summary is never shown
  }
  return heading + "あります。";
}

}  // namespace catalogue
