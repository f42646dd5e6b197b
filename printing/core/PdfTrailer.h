#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace printing {

// The little of a PDF's structure that its incremental updates need, read
// as the program's PDF writer lays a file out (a cross-reference table, a
// trailer dictionary); nothing here trusts the bytes: every read is checked.

// The whole number written at `at` (after blanks), and where it ends.
std::optional<unsigned long long> PdfNumberAt(std::string_view text, std::size_t& at);
// The number after `key` in the dictionary text `dict` ("/Size 39").
std::optional<unsigned long long> PdfNumberAfter(std::string_view dict, std::string_view key);

struct PdfTrailer {
  unsigned long long xref = 0;  // where the last cross-reference table starts
  unsigned long long size = 0;
  unsigned long long root = 0;
  std::optional<unsigned long long> info;
};

// The last trailer of the file; nothing when it has none that reads.
std::optional<PdfTrailer> ReadPdfTrailer(std::string_view pdf);

// The end of an incremental update whose new objects (number, offset in the
// file) stand before `xrefAt`: its cross-reference table, its trailer
// (`size`, the root and info of `trailer` unless `info` replaces it, /Prev
// the trailer's table) and the end of file.
std::string PdfUpdateTail(const PdfTrailer& trailer, std::size_t xrefAt,
                          const std::vector<std::pair<unsigned long long, std::size_t>>& objects,
                          unsigned long long size,
                          std::optional<unsigned long long> info = std::nullopt);

}  // namespace printing
