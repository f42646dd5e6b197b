#include "platform/settings/TextSetting.h"

#include <optional>

#include "platform/text/Cp932.h"
#include "platform/text/HexDigit.h"
#include "platform/text/Utf8.h"

namespace platform {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool HasControlCharacter(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    bool c1 = byte == 0xC2 && i + 1 < utf8.size() &&
              static_cast<unsigned char>(utf8[i + 1]) < 0xA0;  // U+0080 to U+009F
    if (byte < 0x20 || byte == 0x7F || c1) {
      return true;
    }
  }
  return false;
}

// The code page 932 bytes of a text the file keeps as it is, or nothing.
std::optional<std::string> PlainForm(std::string_view utf8) {
  if (!utf8.empty() && (IsBlank(utf8.front()) || IsBlank(utf8.back()))) {
    return std::nullopt;
  }
  if (HasControlCharacter(utf8)) {
    return std::nullopt;
  }
  return EncodeCp932Exactly(utf8);
}

}  // namespace

std::string WholeTextKey(std::string_view key) {
  return std::string(key) + ".utf8";
}

std::string Cp932StandIn(std::string_view utf8) {
  std::string shown;
  shown.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x20 || byte == 0x7F) {
      shown += '?';
    } else if (byte == 0xC2 && i + 1 < utf8.size() &&
               static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
      shown += '?';
      ++i;
    } else {
      shown += utf8[i];
    }
  }
  std::string stored = Utf8ToCp932(shown);
  std::size_t first = 0;
  while (first < stored.size() && IsBlank(stored[first])) {
    ++first;
  }
  std::size_t end = stored.size();
  while (end > first && IsBlank(stored[end - 1])) {
    --end;
  }
  return stored.substr(first, end - first);
}

std::string PercentEscaped(std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(utf8.size());
  for (char c : utf8) {
    auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F && c != '%') {
      escaped += c;
    } else {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0F];
    }
  }
  return escaped;
}

std::optional<std::string> PercentUnescaped(std::string_view escaped) {
  std::string text;
  text.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != '%') {
      text += escaped[i];
      continue;
    }
    if (i + 2 >= escaped.size()) {
      return std::nullopt;
    }
    int high = HexDigitValue(escaped[i + 1]);
    int low = HexDigitValue(escaped[i + 2]);
    if (high < 0 || low < 0) {
      return std::nullopt;
    }
    text += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return text;
}

std::string ReadTextSetting(const IniFile& settings, std::string_view section,
                            std::string_view key) {
  std::string stored = settings.ReadString(section, key).value_or(std::string());
  if (std::optional<std::string> whole = settings.ReadString(section, WholeTextKey(key))) {
    std::optional<std::string> text = PercentUnescaped(*whole);
    if (text && ValidUtf8(*text) == *text && Cp932StandIn(*text) == stored) {
      return *text;
    }
  }
  return DecodeCp932(stored);
}

void WriteTextSetting(IniFile& settings, std::string_view section, std::string_view key,
                      std::string_view utf8) {
  if (std::optional<std::string> plain = PlainForm(utf8)) {
    settings.WriteString(section, key, *plain);
    settings.Remove(section, WholeTextKey(key));
    return;
  }
  settings.WriteString(section, key, Cp932StandIn(utf8));
  settings.WriteString(section, WholeTextKey(key), PercentEscaped(utf8));
}

}  // namespace platform
