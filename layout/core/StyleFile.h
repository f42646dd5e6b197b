#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace layout {

// The lines of a style file: each line taken unchanged (code page 932);
// CR LF, LF or a lone CR ends a line; a last line without a break counts.
std::vector<std::string> SplitStyleLines(std::string_view bytes);

// Reads a style file whole (throws platform::UserError when it cannot).
// A style file larger than this is refused with a message, never read.
inline constexpr std::uint64_t kStyleFileLimit = std::uint64_t{16} << 20;  // 16 MiB

std::vector<std::string> ReadStyleFile(const std::string& path);

// A style line's number as messages give it: as a text editor counts, the
// header being line 1 (`index` counts from the header's 0).
constexpr int LineNumberShown(int index) {
  return index + 1;
}

// The file text of style lines: every line followed by CR LF.
std::string StyleFileText(const std::vector<std::string>& lines);

}  // namespace layout
