#include "printing/core/PdfToUnicode.h"

#include "printing/core/PdfTrailer.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace printing {

namespace {

std::string Hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
  return text;
}

// A character as UTF-16BE hex digits: a surrogate pair beyond the BMP.
std::string Utf16Hex(char32_t c) {
  if (c < 0x10000) {
    return Hex4(static_cast<unsigned>(c));
  }
  unsigned v = static_cast<unsigned>(c) - 0x10000;
  return Hex4(0xD800 + (v >> 10)) + Hex4(0xDC00 + (v & 0x3FF));
}

}  // namespace

std::optional<std::string> WithCharacters(std::string_view cmap,
                                          const std::map<unsigned, char32_t>& characters) {
  std::size_t end = cmap.rfind("endcmap");
  if (end == std::string_view::npos) {
    return std::nullopt;
  }
  std::string added;
  std::size_t inBlock = 0;
  std::string block;
  auto close = [&] {
    if (inBlock > 0) {
      added += std::to_string(inBlock) + " beginbfchar\n" + block + "endbfchar\n";
    }
    block.clear();
    inBlock = 0;
  };
  for (const auto& [cid, character] : characters) {
    // Appended piece by piece: GCC 12 takes `"<" + text` for an overlapping
    // copy (-Wrestrict, a false positive).
    block += '<';
    block += Hex4(cid);
    block += "> <";
    block += Utf16Hex(character);
    block += ">\n";
    if (++inBlock == 100) {  // at most 100 entries a block
      close();
    }
  }
  close();
  std::string result(cmap.substr(0, end));
  result += added;
  result += cmap.substr(end);
  return result;
}

std::string MapsUpdate(std::string_view pdf, const PdfTrailer& trailer,
                       const std::map<unsigned long long, std::string>& maps) {
  if (maps.empty()) {
    return {};
  }
  std::string update = "\n";
  std::vector<std::pair<unsigned long long, std::size_t>> offsets;
  for (const auto& [object, cmap] : maps) {
    offsets.emplace_back(object, pdf.size() + update.size());
    update += std::to_string(object) + " 0 obj\n<< /Length " + std::to_string(cmap.size()) +
              " >>\nstream\n" + cmap + "\nendstream\nendobj\n";
  }
  std::size_t xref = pdf.size() + update.size();
  update += PdfUpdateTail(trailer, xref, offsets, trailer.size);
  return update;
}

}  // namespace printing
