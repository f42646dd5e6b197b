#include "tests/support/HostilePdfs.h"

#include <algorithm>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/Pl_String.hh>
#include <vector>

#include "tests/support/PdfWriter.h"

namespace testsupport {

namespace {

std::string Big(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) {
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  return out;
}

// A file of numbered objects (the first is object 1) and a cross-reference
// stream after them, listing each at its offset, or in the object stream
// `inStream` names for it.
std::string WithCrossReferenceStream(const std::vector<std::string>& objects,
                                     const std::vector<std::pair<int, int>>& inStream,
                                     const std::string& trailerEntries) {
  std::string pdf = "%PDF-1.5\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  int xref = static_cast<int>(objects.size()) + 1;
  std::size_t xrefOffset = pdf.size();
  // Entries: 0 free; then each object: in a stream (type 2) or at its
  // offset (type 1); the cross-reference stream itself.
  std::string data = Big(0, 1) + Big(0, 4) + Big(65535, 2);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    bool stored = false;
    for (const auto& [object, stream] : inStream) {
      if (object == static_cast<int>(i) + 1) {
        data += Big(2, 1) + Big(static_cast<std::uint64_t>(stream), 4) + Big(0, 2);
        stored = true;
      }
    }
    if (!stored) {
      data += Big(1, 1) + Big(offsets[i], 4) + Big(0, 2);
    }
  }
  data += Big(1, 1) + Big(xrefOffset, 4) + Big(0, 2);
  pdf += std::to_string(xref) + " 0 obj\n<< /Type /XRef /Size " + std::to_string(xref + 1) +
         " /W [1 4 2] /Root 1 0 R" + trailerEntries + " /Length " + std::to_string(data.size()) +
         " >>\nstream\n" + data + "\nendstream\nendobj\nstartxref\n" + std::to_string(xrefOffset) +
         "\n%%EOF\n";
  return pdf;
}

}  // namespace

std::string ObjectStreamBombPdf(std::uint64_t inflated, int layers) {
  std::string dictionary = "<< /Title (Bomb) >>";
  std::string head = "3 0 ";
  std::uint64_t padding =
      inflated > head.size() + dictionary.size() ? inflated - head.size() - dictionary.size() : 0;
  // The dictionary, then blanks to the size asked, deflated without being
  // held.
  std::string deflated;
  {
    Pl_String sink("deflated", nullptr, deflated);
    Pl_Flate flate("deflate", &sink, Pl_Flate::a_deflate);
    std::string start = head + dictionary;
    flate.write(reinterpret_cast<const unsigned char*>(start.data()), start.size());
    std::string chunk(1 << 20, ' ');
    for (std::uint64_t left = padding; left > 0;) {
      std::size_t now = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
      flate.write(reinterpret_cast<const unsigned char*>(chunk.data()), now);
      left -= now;
    }
    flate.finish();
  }
  std::string filters;
  for (int layer = 1; layer < layers; ++layer) {
    deflated = Deflated(deflated);
  }
  for (int layer = 0; layer < layers; ++layer) {
    filters += " /FlateDecode";
  }
  std::string stream = "<< /Type /ObjStm /N 1 /First " + std::to_string(head.size()) +
                       " /Filter [" + filters + " ] /Length " + std::to_string(deflated.size()) +
                       " >>\nstream\n" + deflated + "\nendstream";
  return WithCrossReferenceStream(
      {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>", "null", stream},
      {{3, 4}}, " /Info 3 0 R");
}

namespace {

// A catalogue and an empty page tree as objects 1 and 2, and the first
// four entries of the cross-reference stream that follows as object 3
// (the free entry, the two objects and the stream itself); `xref` is where
// that stream starts.
struct TwoObjects {
  std::string pdf;
  std::string entries;
  std::size_t xref = 0;
};

TwoObjects TwoObjectsBeforeTheirCrossReference() {
  TwoObjects made;
  made.pdf = "%PDF-1.5\n";
  std::size_t catalog = made.pdf.size();
  made.pdf += "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
  std::size_t pages = made.pdf.size();
  made.pdf += "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\n";
  made.xref = made.pdf.size();
  made.entries = Big(0, 1) + Big(0, 4) + Big(65535, 2) + Big(1, 1) + Big(catalog, 4) + Big(0, 2) +
                 Big(1, 1) + Big(pages, 4) + Big(0, 2) + Big(1, 1) + Big(made.xref, 4) + Big(0, 2);
  return made;
}

}  // namespace

std::string CrossReferenceClaimPdf(std::uint64_t claimed) {
  TwoObjects made = TwoObjectsBeforeTheirCrossReference();
  std::string pdf = made.pdf;
  std::size_t xref = made.xref;
  const std::string& data = made.entries;
  pdf += "3 0 obj\n<< /Type /XRef /Size " + std::to_string(claimed) +
         " /W [1 4 2] /Root 1 0 R /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
         "\nendstream\nendobj\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

std::string CrossReferenceBombPdf(std::uint64_t entries) {
  TwoObjects made = TwoObjectsBeforeTheirCrossReference();
  std::string pdf = made.pdf;
  std::size_t xref = made.xref;
  const std::string& head = made.entries;
  // The rest of the entries are free objects: seven zero bytes each.
  std::string data;
  {
    Pl_String sink("deflated", nullptr, data);
    Pl_Flate flate("deflate", &sink, Pl_Flate::a_deflate);
    flate.write(reinterpret_cast<const unsigned char*>(head.data()), head.size());
    std::string chunk(7 << 17, '\0');
    std::uint64_t left = (entries > 4 ? entries - 4 : 0) * 7;
    while (left > 0) {
      std::size_t now = static_cast<std::size_t>(std::min<std::uint64_t>(left, chunk.size()));
      flate.write(reinterpret_cast<const unsigned char*>(chunk.data()), now);
      left -= now;
    }
    flate.finish();
  }
  pdf += "3 0 obj\n<< /Type /XRef /Size " + std::to_string(entries) +
         " /W [1 4 2] /Root 1 0 R /Filter /FlateDecode /Length " + std::to_string(data.size()) +
         " >>\nstream\n" + data + "\nendstream\nendobj\nstartxref\n" + std::to_string(xref) +
         "\n%%EOF\n";
  return pdf;
}

std::string DeeplyNestedPdf(int depth) {
  std::string nested;
  for (int i = 0; i < depth; ++i) {
    nested += i % 2 == 0 ? "<< /A " : "[ ";
  }
  nested += "(Deep)";
  for (int i = depth; i-- > 0;) {
    nested += i % 2 == 0 ? " >>" : " ]";
  }
  return WithCrossReferenceStream(
      {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [] /Count 0 >>",
       "<< /Keywords " + nested + " /Title (Deep) /Author (Someone) >>"},
      {}, " /Info 3 0 R");
}

}  // namespace testsupport
