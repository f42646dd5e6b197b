#include "printing/core/PdfSubject.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/text/Utf8.h"
#include "printing/core/PdfTrailer.h"

namespace printing {

namespace {

// A PDF text string of `utf8`: UTF-16BE with its byte-order mark, in hex.
std::string PdfTextString(std::string_view utf8) {
  std::string hex = "<FEFF";
  auto append = [&hex](unsigned unit) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", unit & 0xFFFF);
    hex += digits;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length = platform::Utf8CharacterAt(utf8, i);
    if (length == 0) {
      append(0xFFFD);  // a byte that is no character
      ++i;
      continue;
    }
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
    char32_t c = length == 1   ? byte(0)
                 : length == 2 ? ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu)
                 : length == 3
                     ? ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu)
                     : ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) |
                           ((byte(2) & 0x3Fu) << 6) | (byte(3) & 0x3Fu);
    if (c < 0x10000) {
      append(static_cast<unsigned>(c));
    } else {
      unsigned v = static_cast<unsigned>(c) - 0x10000;
      append(0xD800 + (v >> 10));
      append(0xDC00 + (v & 0x3FF));
    }
    i += length;
  }
  return hex + ">";
}

// The entries of the dictionary of object `number` ("N 0 obj << ... >>"),
// without its brackets; nothing when it is not a flat dictionary.
std::optional<std::string_view> DictionaryEntries(std::string_view pdf, unsigned long long number) {
  std::string head = "\n" + std::to_string(number) + " 0 obj";
  std::size_t at = pdf.find(head);
  if (at == std::string_view::npos) {
    return std::nullopt;
  }
  std::size_t open = pdf.find("<<", at + head.size());
  std::size_t end = pdf.find("endobj", at + head.size());
  if (open == std::string_view::npos || end == std::string_view::npos || open > end) {
    return std::nullopt;
  }
  std::size_t close = pdf.rfind(">>", end);
  if (close == std::string_view::npos || close < open + 2) {
    return std::nullopt;
  }
  std::string_view entries = pdf.substr(open + 2, close - open - 2);
  if (entries.find("<<") != std::string_view::npos ||
      entries.find(">>") != std::string_view::npos) {
    return std::nullopt;  // nested: not the writer's information dictionary
  }
  return entries;
}

// `entries` without a /Subject entry (its value a string, literal or hex).
std::string WithoutSubject(std::string_view entries) {
  std::size_t key = entries.find("/Subject");
  if (key == std::string_view::npos) {
    return std::string(entries);
  }
  std::size_t value = entries.find_first_not_of(" \r\n", key + 8);
  std::size_t end = std::string_view::npos;
  if (value != std::string_view::npos && entries[value] == '<') {
    end = entries.find('>', value);
  } else if (value != std::string_view::npos && entries[value] == '(') {
    int depth = 0;
    for (std::size_t i = value; i < entries.size(); ++i) {
      if (entries[i] == '\\') {
        ++i;
      } else if (entries[i] == '(') {
        ++depth;
      } else if (entries[i] == ')' && --depth == 0) {
        end = i;
        break;
      }
    }
  }
  if (end == std::string_view::npos) {
    return std::string(entries);  // not a string as written: left whole
  }
  return std::string(entries.substr(0, key)) + std::string(entries.substr(end + 1));
}

}  // namespace

std::string SubjectUpdate(std::string_view pdf, std::string_view subjectUtf8) {
  std::optional<PdfTrailer> trailer = ReadPdfTrailer(pdf);
  if (subjectUtf8.empty() || !trailer || !trailer->info) {
    return {};
  }
  std::optional<std::string_view> entries = DictionaryEntries(pdf, *trailer->info);
  if (!entries) {
    return {};
  }
  unsigned long long number = trailer->size;
  std::string update = "\n";
  std::size_t offset = pdf.size() + update.size();
  update += std::to_string(number) + " 0 obj\n<<\n/Subject " + PdfTextString(subjectUtf8) +
            WithoutSubject(*entries) + ">>\nendobj\n";
  std::size_t xref = pdf.size() + update.size();
  update += PdfUpdateTail(*trailer, xref, {{number, offset}}, number + 1, number);
  return update;
}

}  // namespace printing
