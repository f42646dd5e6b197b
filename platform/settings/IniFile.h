#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A settings file of "[section]" headers and "key=value" lines. Sections and
// keys are found case-blind, as the desktop's profile functions do; every
// line the program does not change (other sections, other keys, comments)
// is written back as it was read.
class IniFile {
 public:
  IniFile() = default;

  // Parses the text of a settings file (lines end at LF, a CR before it is
  // dropped).
  static IniFile Parse(std::string_view text);
  // The settings file at `path`; an empty one when it does not exist.
  static IniFile Load(const std::string& path);

  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  // An integer in decimal, or hexadecimal after "0x" or "$"; `fallback` when
  // the key is missing or its value is not such a number.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

  // Sets a key, adding it (and its section) when missing. A section, key or
  // value holding a line break (CR or LF) would end its line and start
  // another, a key or section of its own: such a write is refused, the file
  // stays as it was and false is returned.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // Takes a key out; nothing when it is not there.
  void Remove(std::string_view section, std::string_view key);

  // The file's text, lines ended by CR LF.
  std::string Text() const;
  // Replaces the file at `path` whole (throws platform::UserError).
  void Save(const std::string& path) const;

 private:
  struct Line {
    std::string text;     // the line as read (for lines kept as they are)
    std::string section;  // for a header: the section name
    std::string key;      // for an entry: the key
    std::string value;
    enum Kind { Other, Header, Entry } kind = Other;
  };

  // Index of the header of `section`, or -1.
  int FindSection(std::string_view section) const;
  // Index of `key` within the section whose header is at `header`, or -1.
  int FindKey(int header, std::string_view key) const;

  std::vector<Line> lines_;
};

// Reads an integer as the settings file does: optional sign, decimal digits,
// or "0x"/"$" and hexadecimal digits; nothing when the text is not one or is
// out of the int range.
std::optional<int> ParseSettingsInteger(std::string_view text);

}  // namespace platform
