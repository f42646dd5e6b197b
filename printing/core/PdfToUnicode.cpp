#include "printing/core/PdfToUnicode.h"

#include "printing/core/PdfTrailer.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace printing {

namespace {

// Where object `number` starts, from the cross-reference table at `xref`
// (one section from object 0, as the writer makes it).
std::optional<std::size_t> ObjectOffset(std::string_view pdf, unsigned long long xref,
                                        unsigned long long number) {
  std::size_t at = static_cast<std::size_t>(xref);
  if (pdf.substr(at, 4) != "xref") {
    return std::nullopt;
  }
  at += 4;
  std::optional<unsigned long long> first = PdfNumberAt(pdf, at);
  std::optional<unsigned long long> count = PdfNumberAt(pdf, at);
  if (!first || !count || *first != 0 || number >= *count) {
    return std::nullopt;
  }
  while (at < pdf.size() && (pdf[at] == ' ' || pdf[at] == '\r' || pdf[at] == '\n')) {
    ++at;
  }
  std::size_t entry = at + static_cast<std::size_t>(number) * 20;
  std::size_t end = entry;
  std::optional<unsigned long long> offset = PdfNumberAt(pdf, end);
  if (entry + 20 > pdf.size() || !offset || *offset >= pdf.size()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(*offset);
}

// The stream of object `number` when it is "N 0 obj << /Length L >> stream".
std::optional<std::string_view> StreamOf(std::string_view pdf, const PdfTrailer& trailer,
                                         unsigned long long number) {
  std::optional<std::size_t> at = ObjectOffset(pdf, trailer.xref, number);
  if (!at) {
    return std::nullopt;
  }
  std::size_t open = pdf.find("stream", *at);
  std::size_t dictEnd = pdf.find(">>", *at);
  if (open == std::string_view::npos || dictEnd == std::string_view::npos || dictEnd > open) {
    return std::nullopt;
  }
  std::string_view dict = pdf.substr(*at, dictEnd - *at);
  if (dict.find("/Filter") != std::string_view::npos) {
    return std::nullopt;  // a compressed map is not one the writer makes
  }
  std::optional<unsigned long long> length = PdfNumberAfter(dict, "/Length");
  std::size_t data = open + 6;
  if (data < pdf.size() && pdf[data] == '\r') {
    ++data;
  }
  if (data < pdf.size() && pdf[data] == '\n') {
    ++data;
  }
  if (!length || data + *length > pdf.size()) {
    return std::nullopt;
  }
  return pdf.substr(data, static_cast<std::size_t>(*length));
}

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

// The map with the characters added before its end.
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

// The number after "/ToUnicode" in the type 0 font named `name`, if there
// is one.
std::optional<unsigned long long> ToUnicodeObjectOf(std::string_view pdf, const std::string& name) {
  std::string base = "/BaseFont /" + name;
  for (std::size_t at = pdf.find(base); at != std::string_view::npos;
       at = pdf.find(base, at + base.size())) {
    std::size_t after = at + base.size();
    if (after < pdf.size() && pdf[after] != '\n' && pdf[after] != ' ' && pdf[after] != '\r' &&
        pdf[after] != '/') {
      continue;  // another font whose name starts so
    }
    std::size_t dictStart = pdf.rfind("<<", at);
    std::size_t dictEnd = pdf.find(">>", at);
    if (dictStart == std::string_view::npos || dictEnd == std::string_view::npos) {
      continue;
    }
    std::string_view dict = pdf.substr(dictStart, dictEnd - dictStart);
    if (dict.find("/Subtype /Type0") == std::string_view::npos) {
      continue;
    }
    if (std::optional<unsigned long long> map = PdfNumberAfter(dict, "/ToUnicode")) {
      return map;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string ToUnicodeUpdate(std::string_view pdf, const MissingCharacters& missing) {
  std::optional<PdfTrailer> trailer = ReadPdfTrailer(pdf);
  if (!trailer) {
    return {};
  }
  std::map<unsigned long long, std::string> maps;  // object number: the new map
  for (const auto& [name, characters] : missing) {
    if (characters.empty()) {
      continue;
    }
    std::optional<unsigned long long> object = ToUnicodeObjectOf(pdf, name);
    std::optional<std::string_view> cmap = object ? StreamOf(pdf, *trailer, *object) : std::nullopt;
    std::optional<std::string> changed = cmap ? WithCharacters(*cmap, characters) : std::nullopt;
    if (changed) {
      maps[*object] = std::move(*changed);
    }
  }
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
  update += PdfUpdateTail(*trailer, xref, offsets, trailer->size);
  return update;
}

}  // namespace printing
