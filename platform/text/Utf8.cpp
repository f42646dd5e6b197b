#include "platform/text/Utf8.h"

namespace platform {

namespace {

bool IsContinuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
}

}  // namespace

std::size_t Utf8CharacterAt(std::string_view text, std::size_t i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  std::size_t length = Utf8SequenceLength(byte(i));
  if (length == 0 || i + length > text.size()) {
    return 0;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (!IsContinuation(byte(i + k))) {
      return 0;
    }
  }
  // The second byte's range rules out overlong forms, surrogates and code
  // points past U+10FFFF.
  unsigned char lead = byte(i);
  unsigned char second = length > 1 ? byte(i + 1) : 0;
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

std::string ValidUtf8(std::string_view text) {
  std::size_t i = 0;
  // Most texts are well formed: they are returned as they are.
  while (i < text.size()) {
    std::size_t length = Utf8CharacterAt(text, i);
    if (length == 0) {
      break;
    }
    i += length;
  }
  std::string out(text.substr(0, i));
  while (i < text.size()) {
    std::size_t length = Utf8CharacterAt(text, i);
    if (length == 0) {
      out += '?';
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      return false;
    }
  }
  return true;
}

std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
  if (maxBytes >= text.size()) {
    return text.size();
  }
  std::size_t end = maxBytes;
  while (end > 0 && IsContinuation(static_cast<unsigned char>(text[end]))) {
    --end;
  }
  return end;
}

std::size_t Utf8CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    count += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
  }
  return count;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace platform
