#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace commands {

inline constexpr const char* kTitleHistoryFileName = "titlelist.DAT";
inline constexpr std::size_t kTitleHistoryLimit = 30;

// The report titles used before, newest first, as code page 932 texts.
class TitleHistory {
 public:
  TitleHistory() = default;
  explicit TitleHistory(std::vector<std::string> entries) : entries_(std::move(entries)) {}

  // The history file's entries, one per line (CR LF, CR or LF), in file order;
  // nothing when the file does not exist.
  static TitleHistory Load(const std::string& path);
  // Replaces the file with one entry per line, each ended by CR LF.
  void Save(const std::string& path) const;

  const std::vector<std::string>& Entries() const { return entries_; }

  // What closing the title dialog does with the box's text: an entry equal
  // to it apart from letter case moves to the front and is returned, so the
  // box shows its stored spelling; any other text goes in front. Then, with
  // more than 30 entries, the 31st is removed (one per use). An empty text
  // changes nothing.
  std::optional<std::string> Use(const std::string& text);

  // Position of the entry equal to `text` apart from letter case.
  std::optional<std::size_t> Find(std::string_view text) const;

 private:
  std::vector<std::string> entries_;
};

// Equality that ignores the case of ASCII letters, walking code page 932 so
// the second byte of a double-byte character is never folded.
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace commands
