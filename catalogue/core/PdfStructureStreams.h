#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

// A stream of a PDF's structure that a PDF library decodes whole before it
// can give the document's information: an object stream (/Type /ObjStm),
// which holds the objects (the information dictionary among them), or a
// cross-reference stream (/Type /XRef). A few bytes can inflate to
// gigabytes, and the counts they declare size what the library builds, so
// they are found and weighed before the library sees the file.
struct PdfStructureStream {
  enum class Kind { Objects, CrossReference };
  Kind kind = Kind::Objects;
  // The filters, in the order they undo the stored bytes, without "/".
  std::vector<std::string> filters;
  // The stream's bytes as stored (a view into the file).
  std::string_view data;
  // An object stream's /N: the objects it says it holds.
  std::uint64_t objects = 0;
  // A cross-reference stream's /Size, the entries its /Index says it
  // describes (/Size without one), and the width of an entry (/W summed).
  std::uint64_t size = 0;
  std::uint64_t entries = 0;
  std::uint64_t entryWidth = 0;
};

// The structure streams of the PDF bytes `pdf`, in file order: each
// "stream" keyword after a dictionary whose /Type is /ObjStm or /XRef. The
// stored bytes end where a direct /Length says (when "endstream" follows
// there), else at the next "endstream". Numbers too large to hold read as
// the largest. Linear in the file; never reads outside it.
std::vector<PdfStructureStream> FindPdfStructureStreams(std::string_view pdf);

// ASCIIHexDecode and ASCII85Decode, the text filters a structure stream
// may be wrapped in: the decoded bytes, or nothing when the text is not
// that encoding. What they give is never longer than four times what they
// are given.
std::string DecodeAsciiHex(std::string_view text, bool& ok);
std::string DecodeAscii85(std::string_view text, bool& ok);

}  // namespace catalogue
