#include "catalogue/core/ScanMessages.h"

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

void ScanMessages::ShowMessage(const std::string& path, const std::string& text) {
  std::size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  entries_.push_back({std::move(name), text});
}

std::string ScanMessages::Heading() const {
  return "読み取れなかったファイルが " + std::to_string(entries_.size()) + " 件あります。";
}

}  // namespace catalogue
