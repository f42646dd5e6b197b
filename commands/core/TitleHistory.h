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
  // Saves at exit without losing what another instance of the program wrote
  // to the same file meanwhile: the file is read again, the titles used in
  // this run come first (newest first), then the file's other entries, at
  // most max(30, the file's count) in all.
  void SaveMerged(const std::string& path) const;
  // The history written by SaveMerged when the file now holds `onDisk`.
  TitleHistory MergedWith(const TitleHistory& onDisk) const;

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
  bool UsedInThisRun(std::string_view entry) const;

  std::vector<std::string> entries_;
  std::vector<std::string> used_;  // the entries Use() put in front, as stored
};

// Equality that ignores the case of ASCII letters, walking code page 932 so
// the second byte of a double-byte character is never folded.
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace commands
