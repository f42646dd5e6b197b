#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace commands {

inline constexpr const char* kTitleHistoryFileName = "titlelist.DAT";
inline constexpr std::size_t kTitleHistoryLimit = 30;
// Appended to the history file's path: the file of the titles whole.
inline constexpr const char* kWholeTitlesSuffix = ".utf8";

// The report titles used before, newest first, in UTF-8.
//
// The file is code page 932, one title a line, byte for byte as the program
// always wrote it while every title fits. When one does not, the file holds
// it with "?" for what code page 932 lacks, as readers that know only that
// file have always shown it, and a second file beside it
// (kWholeTitlesSuffix) holds every title whole, in UTF-8 after a
// byte-order mark, one a line ("%", CR and LF written "%25", "%0D", "%0A"). A title of that file is
// read only for a line of the code page 932 file that still gives its stand-in, so a history
// another program wrote since is read as that program wrote it. A line whose bytes are not code
// page 932 is shown with replacement marks and written back as it was.
class TitleHistory {
 public:
  TitleHistory() = default;
  explicit TitleHistory(std::vector<std::string> entries) : entries_(std::move(entries)) {}

  // The history file's entries, one per line (CR LF, CR or LF), in file order;
  // nothing when the file does not exist.
  static TitleHistory Load(const std::string& path);
  // Replaces the file with one entry per line, each ended by CR LF (and
  // writes or removes the file of whole titles beside it).
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
  // Lines of the file whose bytes are not code page 932: the entry shown
  // for each, and the bytes it is written back with.
  std::map<std::string, std::string> unreadLines_;
  std::vector<std::string> used_;  // the entries Use() put in front, as stored
};

// Equality of UTF-8 texts that ignores the case of ASCII letters.
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace commands
