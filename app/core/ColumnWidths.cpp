#include "app/core/ColumnWidths.h"

#include <charconv>
#include <optional>

#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/text/TextLines.h"

namespace app {

namespace {

constexpr int kWidthOfNonNumber = 100;

std::string KeyOf(int col) {
  return "[ColWidths[" + std::to_string(col) + "]]";
}

// A decimal integer with an optional sign and nothing else.
std::optional<int> DecimalValue(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') {
      return std::nullopt;
    }
  }
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

void ApplyColumnWidthText(std::string_view text, widgets::StringGridData& grid) {
  for (std::string_view line : platform::TextLines(text)) {
    std::size_t eq = line.find('=');
    std::string_view key = eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
    std::string_view value = eq == std::string_view::npos ? line : line.substr(eq + 1);
    for (int col = 0; col < kListColumnCount; ++col) {
      if (key == KeyOf(col)) {
        grid.SetColWidth(col, DecimalValue(value).value_or(kWidthOfNonNumber));
      }
    }
  }
}

std::string ColumnWidthText(const widgets::StringGridData& grid) {
  std::string text = "[Version]=1.00\r\n";
  for (int col = 0; col < kListColumnCount; ++col) {
    text += KeyOf(col) + "=" + std::to_string(grid.ColWidth(col)) + "\r\n";
  }
  return text;
}

void LoadColumnWidths(const std::string& path, widgets::StringGridData& grid) {
  if (std::optional<std::string> text = platform::ReadFileBytesIfExists(path)) {
    ApplyColumnWidthText(*text, grid);
  }
}

void SaveColumnWidths(const std::string& path, const widgets::StringGridData& grid) {
  platform::ReplacingFileWriter::ReplaceWith(path, ColumnWidthText(grid));
}

}  // namespace app
