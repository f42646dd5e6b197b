#include "commands/core/TitleHistory.h"

#include <algorithm>

#include "platform/files/FileBytes.h"
#include "platform/files/FileLock.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/text/Cp932.h"

namespace commands {

namespace {

char Folded(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (platform::IsCp932LeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
        return false;
      }
      ++i;
      continue;
    }
    if (Folded(a[i]) != Folded(b[i])) {
      return false;
    }
  }
  return true;
}

TitleHistory TitleHistory::Load(const std::string& path) {
  std::optional<std::string> bytes =
      platform::ReadFileBytesIfExists(path, platform::kSettingsFileLimit);
  std::vector<std::string> entries;
  if (!bytes) {
    return TitleHistory();
  }
  std::string line;
  bool open = false;
  for (std::size_t i = 0; i < bytes->size(); ++i) {
    char c = (*bytes)[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') {
        ++i;
      }
      entries.push_back(std::move(line));
      line.clear();
      open = false;
    } else {
      line += c;
      open = true;
    }
  }
  if (open) {
    entries.push_back(std::move(line));
  }
  return TitleHistory(std::move(entries));
}

void TitleHistory::Save(const std::string& path) const {
  std::string text;
  for (const std::string& entry : entries_) {
    text += entry;
    text += "\r\n";
  }
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
  return TitleHistory(std::move(merged));
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
