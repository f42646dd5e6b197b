#include "printing/core/PdfTrailer.h"

#include <cstdio>

namespace printing {

std::optional<unsigned long long> PdfNumberAt(std::string_view text, std::size_t& at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\r' || text[at] == '\n')) {
    ++at;
  }
  std::size_t start = at;
  unsigned long long value = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 18) {
    value = value * 10 + static_cast<unsigned>(text[at] - '0');
    ++at;
  }
  if (at == start || (at < text.size() && text[at] >= '0' && text[at] <= '9')) {
    return std::nullopt;  // none, or more digits than a number here has
  }
  return value;
}

std::optional<unsigned long long> PdfNumberAfter(std::string_view dict, std::string_view key) {
  std::size_t at = dict.find(key);
  if (at == std::string_view::npos) {
    return std::nullopt;
  }
  at += key.size();
  return PdfNumberAt(dict, at);
}

std::optional<PdfTrailer> ReadPdfTrailer(std::string_view pdf) {
  std::size_t start = pdf.rfind("startxref");
  std::size_t dict = pdf.rfind("trailer", start);
  if (start == std::string_view::npos || dict == std::string_view::npos) {
    return std::nullopt;
  }
  std::size_t at = start + 9;
  std::optional<unsigned long long> xref = PdfNumberAt(pdf, at);
  std::string_view text = pdf.substr(dict, start - dict);
  std::optional<unsigned long long> size = PdfNumberAfter(text, "/Size");
  std::optional<unsigned long long> root = PdfNumberAfter(text, "/Root");
  if (!xref || !size || !root || *xref >= pdf.size()) {
    return std::nullopt;
  }
  return PdfTrailer{*xref, *size, *root, PdfNumberAfter(text, "/Info")};
}

std::string PdfUpdateTail(const PdfTrailer& trailer, std::size_t xrefAt,
                          const std::vector<std::pair<unsigned long long, std::size_t>>& objects,
                          unsigned long long size, std::optional<unsigned long long> info) {
  std::string tail = "xref\n0 1\n0000000000 65535 f \n";
  for (const auto& [object, offset] : objects) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    tail += std::to_string(object) + " 1\n" + entry;
  }
  tail += "trailer\n<<\n/Size " + std::to_string(size) + "\n/Root " + std::to_string(trailer.root) +
          " 0 R\n";
  if (std::optional<unsigned long long> kept = info ? info : trailer.info) {
    tail += "/Info " + std::to_string(*kept) + " 0 R\n";
  }
  tail += "/Prev " + std::to_string(trailer.xref) + "\n>>\nstartxref\n" + std::to_string(xrefAt) +
          "\n%%EOF\n";
  return tail;
}

}  // namespace printing
