#include "platform/settings/IniFile.h"

#include <cstdint>

#include "platform/files/FileBytes.h"
#include "platform/files/ReplacingFileWriter.h"
#include "platform/text/HexDigit.h"
#include "platform/text/TextLines.h"

namespace platform {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
    s.remove_suffix(1);
  }
  return s;
}

bool SameFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'A' && x <= 'Z') {
      x = static_cast<char>(x - 'A' + 'a');
    }
    if (y >= 'A' && y <= 'Z') {
      y = static_cast<char>(y - 'A' + 'a');
    }
    if (x != y) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<int> ParseSettingsInteger(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  std::int64_t value = 0;
  for (char c : text) {
    int digit = platform::HexDigitValue(c);
    if (digit < 0 || digit >= base) {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > (std::int64_t{1} << 32)) {
      return std::nullopt;
    }
  }
  if (base == 16 && !negative && value <= 0xFFFFFFFF && value > INT32_MAX) {
    value -= std::int64_t{1} << 32;  // hexadecimal spells the 32-bit pattern
  }
  if (negative) {
    value = -value;
  }
  if (value < INT32_MIN || value > INT32_MAX) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  for (std::string_view raw : platform::TextLines(text)) {
    Line line;
    line.text = std::string(raw);
    std::string_view t = Trim(raw);
    if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
      line.kind = Line::Header;
      line.section = std::string(Trim(t.substr(1, t.find(']') - 1)));
    } else if (std::size_t eq = t.find('='); eq != std::string_view::npos && t.front() != ';') {
      line.kind = Line::Entry;
      line.key = std::string(Trim(t.substr(0, eq)));
      line.value = std::string(Trim(t.substr(eq + 1)));
    }
    ini.lines_.push_back(std::move(line));
  }
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  std::optional<std::string> bytes =
      platform::ReadFileBytesIfExists(path, platform::kSettingsFileLimit);
  return bytes ? Parse(*bytes) : IniFile();
}

int IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Header && SameFolded(lines_[i].section, section)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int IniFile::FindKey(int header, std::string_view key) const {
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Header) {
      break;
    }
    if (lines_[i].kind == Line::Entry && SameFolded(lines_[i].key, key)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

std::optional<std::string> IniFile::ReadString(std::string_view section,
                                               std::string_view key) const {
  int header = FindSection(section);
  if (header < 0) {
    return std::nullopt;
  }
  int entry = FindKey(header, key);
  if (entry < 0) {
    return std::nullopt;
  }
  return lines_[static_cast<std::size_t>(entry)].value;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  std::optional<std::string> text = ReadString(section, key);
  if (!text) {
    return fallback;
  }
  return ParseSettingsInteger(*text).value_or(fallback);
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  for (std::string_view text : {section, key, value}) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
      return false;
    }
  }
  Line entry;
  entry.kind = Line::Entry;
  entry.key = std::string(key);
  entry.value = std::string(value);
  entry.text = entry.key + "=" + entry.value;

  int header = FindSection(section);
  if (header < 0) {
    Line head;
    head.kind = Line::Header;
    head.section = std::string(section);
    head.text = "[" + head.section + "]";
    lines_.push_back(std::move(head));
    lines_.push_back(std::move(entry));
    return true;
  }
  int existing = FindKey(header, key);
  if (existing >= 0) {
    entry.key = lines_[static_cast<std::size_t>(existing)].key;  // keep the stored spelling
    entry.text = entry.key + "=" + entry.value;
    lines_[static_cast<std::size_t>(existing)] = std::move(entry);
    return true;
  }
  // After the section's last entry (blank lines and comments at its end stay
  // after the new key).
  std::size_t insert = static_cast<std::size_t>(header) + 1;
  for (std::size_t i = insert; i < lines_.size() && lines_[i].kind != Line::Header; ++i) {
    if (lines_[i].kind == Line::Entry) {
      insert = i + 1;
    }
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), std::move(entry));
  return true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::Remove(std::string_view section, std::string_view key) {
  int header = FindSection(section);
  if (header < 0) {
    return;
  }
  if (int entry = FindKey(header, key); entry >= 0) {
    lines_.erase(lines_.begin() + entry);
  }
}

std::string IniFile::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.text;
    text += "\r\n";
  }
  return text;
}

void IniFile::Save(const std::string& path) const {
  platform::ReplacingFileWriter::ReplaceWith(path, Text());
}

}  // namespace platform
