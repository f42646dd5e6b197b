#include "app/core/ColumnWidths.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "app/core/ListGrid.h"
#include "platform/files/FileBytes.h"
#include "platform/files/FileLock.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/text/TextLines.h"

namespace app {

namespace {

constexpr int kWidthOfNonNumber = 100;

std::string KeyOf(int col) {
  return "[ColWidths[" + std::to_string(col) + "]]";
}

// A decimal integer with an optional sign and nothing else; a number too
// large for an int reads as one beyond every limit.
std::optional<long long> DecimalValue(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') {
      return std::nullopt;
    }
  }
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  if (error == std::errc::result_out_of_range) {
    return text.front() == '-' ? std::numeric_limits<long long>::min()
                               : std::numeric_limits<long long>::max();
  }
  if (error != std::errc()) {
    return std::nullopt;
  }
  return value;
}

int WidthOf(const std::vector<int>& widths, int col) {
  return static_cast<std::size_t>(col) < widths.size() ? widths[static_cast<std::size_t>(col)]
                                                       : DesignedColumnWidth(col);
}

}  // namespace

void ApplyColumnWidthText(std::string_view text, std::vector<int>& widths) {
  for (int col = static_cast<int>(widths.size()); col < kListColumnCount; ++col) {
    widths.push_back(DesignedColumnWidth(col));
  }
  for (std::string_view line : platform::TextLines(text)) {
    std::size_t eq = line.find('=');
    std::string_view key = eq == std::string_view::npos ? std::string_view() : line.substr(0, eq);
    std::string_view value = eq == std::string_view::npos ? line : line.substr(eq + 1);
    for (int col = 0; col < kListColumnCount; ++col) {
      if (key != KeyOf(col)) {
        continue;
      }
      long long width = DecimalValue(value).value_or(kWidthOfNonNumber);
      if (width >= kMinColumnWidth && width <= kMaxColumnWidth) {
        widths[static_cast<std::size_t>(col)] = static_cast<int>(width);
      }
    }
  }
}

std::string ColumnWidthText(const std::vector<int>& widths) {
  std::string text = "[Version]=1.00\r\n";
  for (int col = 0; col < kListColumnCount; ++col) {
    int width = std::clamp(WidthOf(widths, col), kMinColumnWidth, kMaxColumnWidth);
    text += KeyOf(col) + "=" + std::to_string(width) + "\r\n";
  }
  return text;
}

void LoadColumnWidths(const std::string& path, std::vector<int>& widths) {
  if (std::optional<std::string> text =
          platform::ReadFileBytesIfExists(path, platform::kSettingsFileLimit)) {
    ApplyColumnWidthText(*text, widths);
  }
}

void SaveColumnWidths(const std::string& path, const std::vector<int>& widths) {
  platform::ReplacingFileWriter::ReplaceWith(path, ColumnWidthText(widths));
}

void SaveColumnWidthsMerged(const std::string& path, const std::vector<int>& widths,
                            const std::vector<int>& loaded) {
  platform::FileLock lock(platform::LockFileBeside(path));
  std::vector<int> merged = widths;
  LoadColumnWidths(path, merged);  // the file as it is now
  for (int col = 0; col < kListColumnCount; ++col) {
    bool changed = static_cast<std::size_t>(col) >= loaded.size() ||
                   WidthOf(widths, col) != loaded[static_cast<std::size_t>(col)];
    if (changed) {
      merged[static_cast<std::size_t>(col)] = WidthOf(widths, col);
    }
  }
  SaveColumnWidths(path, merged);
}

}  // namespace app
