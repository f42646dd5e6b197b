#include "commands/core/TitleHistory.h"

#include <algorithm>

#include "platform/files/FileBytes.h"
#include "platform/files/FileLock.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/text/Cp932.h"
#include "platform/text/Utf8.h"

namespace commands {

namespace {

char Folded(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The file's lines: CR LF, CR or LF end a line; a last line without one
// counts.
std::vector<std::string> Lines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;
      }
      lines.push_back(std::move(line));
      line.clear();
      open = false;
    } else {
      line += c;
      open = true;
    }
  }
  if (open) {
    lines.push_back(std::move(line));
  }
  return lines;
}

// A title's line in the code page 932 file: as it is, or nothing when code
// page 932 cannot hold it as it is.
std::optional<std::string> PlainLine(std::string_view title) {
  if (title.find_first_of("\r\n") != std::string_view::npos) {
    return std::nullopt;
  }
  return platform::EncodeCp932Exactly(title);
}

// The line that stands in for a title code page 932 cannot hold: "?" for
// each character it lacks and for each line break.
std::string StandInLine(std::string_view title) {
  std::string text(title);
  for (char& c : text) {
    if (c == '\r' || c == '\n') {
      c = '?';
    }
  }
  return platform::Utf8ToCp932(text);
}

std::string WholeTitlesPath(const std::string& path) {
  return path + kWholeTitlesSuffix;
}

// A title as a line of the file of whole titles: "%", CR and LF written
// "%25", "%0D" and "%0A", so a title holding a line break stays one line.
std::string WholeLine(std::string_view title) {
  std::string line;
  line.reserve(title.size());
  for (char c : title) {
    switch (c) {
      case '%': line += "%25"; break;
      case '\r': line += "%0D"; break;
      case '\n': line += "%0A"; break;
      default: line += c; break;
    }
  }
  return line;
}

std::string TitleOfWholeLine(std::string_view line) {
  std::string title;
  title.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    std::string_view code = line.substr(i, 3);
    if (code == "%25" || code == "%0D" || code == "%0A") {
      title += code == "%25" ? '%' : code == "%0D" ? '\r' : '\n';
      i += 2;
    } else {
      title += line[i];
    }
  }
  return title;
}

}  // namespace

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  // The bytes of a UTF-8 character beyond ASCII are all 0x80 and above, so
  // folding byte by byte touches the ASCII letters alone.
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) {
      return false;
    }
  }
  return true;
}

TitleHistory TitleHistory::Load(const std::string& path) {
  std::optional<std::string> bytes =
      platform::ReadFileBytesIfExists(path, platform::kSettingsFileLimit);
  if (!bytes) {
    return TitleHistory();
  }
  // The whole titles, found by the line that stands in for each; each is
  // taken once, in order.
  std::multimap<std::string, std::string> whole;
  if (std::optional<std::string> wholeBytes =
          platform::ReadFileBytesIfExists(WholeTitlesPath(path), platform::kSettingsFileLimit)) {
    std::string_view text = *wholeBytes;
    if (text.substr(0, platform::kUtf8ByteOrderMark.size()) == platform::kUtf8ByteOrderMark) {
      text.remove_prefix(platform::kUtf8ByteOrderMark.size());
      for (const std::string& line : Lines(text)) {
        std::string title = platform::ValidUtf8(TitleOfWholeLine(line));
        whole.emplace(StandInLine(title), std::move(title));
      }
    }
  }
  TitleHistory history;
  for (std::string& line : Lines(*bytes)) {
    // The first of titles with one stand-in (é and è alike) goes first.
    if (auto found = whole.lower_bound(line); found != whole.end() && found->first == line) {
      history.entries_.push_back(found->second);
      whole.erase(found);
      continue;
    }
    std::string shown = platform::Cp932ToUtf8(line);
    if (platform::EncodeCp932Exactly(shown) != line) {
      history.unreadLines_[shown] = line;  // written back as it was
    }
    history.entries_.push_back(std::move(shown));
  }
  return history;
}

void TitleHistory::Save(const std::string& path) const {
  std::string text;
  std::string wholeText(platform::kUtf8ByteOrderMark);
  bool allPlain = true;
  for (const std::string& entry : entries_) {
    if (auto unread = unreadLines_.find(entry); unread != unreadLines_.end()) {
      text += unread->second;
    } else if (std::optional<std::string> plain = PlainLine(entry)) {
      text += *plain;
    } else {
      text += StandInLine(entry);
      allPlain = false;
    }
    text += "\r\n";
    wholeText += WholeLine(entry);
    wholeText += "\r\n";
  }
  // The whole titles first: a history cut short between the two writes
  // still reads, its stand-ins as they are.
  if (allPlain) {
    platform::ReplacingFileWriter::ReplaceWith(path, text);
    platform::RemoveFileIfExists(WholeTitlesPath(path));
    return;
  }
  platform::ReplacingFileWriter::ReplaceWith(WholeTitlesPath(path), wholeText);
  platform::ReplacingFileWriter::ReplaceWith(path, text);
}

void TitleHistory::SaveMerged(const std::string& path) const {
  // Read, merged and replaced under one lock: another instance ending at
  // the same moment merges into what this one wrote, not beside it.
  platform::FileLock lock(platform::LockFileBeside(path));
  MergedWith(Load(path)).Save(path);
}

bool TitleHistory::UsedInThisRun(std::string_view entry) const {
  for (const std::string& used : used_) {
    if (SameIgnoringCase(used, entry)) {
      return true;
    }
  }
  return false;
}

TitleHistory TitleHistory::MergedWith(const TitleHistory& onDisk) const {
  std::vector<std::string> merged;
  for (const std::string& entry : entries_) {
    if (UsedInThisRun(entry)) {
      merged.push_back(entry);
    }
  }
  for (const std::string& entry : onDisk.entries_) {
    if (!UsedInThisRun(entry)) {
      merged.push_back(entry);
    }
  }
  std::size_t limit = std::max(kTitleHistoryLimit, onDisk.entries_.size());
  if (merged.size() > limit) {
    merged.resize(limit);
  }
  TitleHistory history(std::move(merged));
  history.unreadLines_ = onDisk.unreadLines_;
  history.unreadLines_.insert(unreadLines_.begin(), unreadLines_.end());
  return history;
}

std::optional<std::size_t> TitleHistory::Find(std::string_view text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (SameIgnoringCase(entries_[i], text)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::string> TitleHistory::Use(const std::string& text) {
  if (text.empty()) {
    return std::nullopt;  // an empty title is not worth remembering
  }
  std::optional<std::string> stored;
  if (std::optional<std::size_t> at = Find(text)) {
    std::string entry = entries_[*at];
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*at));
    entries_.insert(entries_.begin(), entry);
    stored = entry;
  } else {
    entries_.insert(entries_.begin(), text);
  }
  if (!UsedInThisRun(entries_.front())) {
    used_.push_back(entries_.front());
  }
  if (entries_.size() > kTitleHistoryLimit) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(kTitleHistoryLimit));
  }
  return stored;
}

}  // namespace commands
