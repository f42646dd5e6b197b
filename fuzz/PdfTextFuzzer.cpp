// Feeds arbitrary bytes to the readers of a PDF file's information: its
// text strings, its dates and its XMP packet, and the record made of them.
// The record always has its eleven fields, each well-formed UTF-8; a date
// read at all holds only digits and the W3C form's separators.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalogue/core/PdfInformation.h"
#include "platform/text/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string text = catalogue::PdfTextToUtf8(bytes);
  if (platform::ValidUtf8(text) != text) {
    std::abort();
  }
  if (std::optional<std::string> w3c = catalogue::PdfDateToW3c(bytes)) {
    if (w3c->find_first_not_of("0123456789-T:+Z") != std::string::npos) {
      std::abort();  // only digits and separators may come out
    }
  }
  // The same bytes as every entry and as the metadata packet.
  catalogue::PdfDocumentInformation information;
  information.status = catalogue::PdfDocumentInformation::Status::Read;
  std::string value(bytes);
  information.title = information.author = information.subject = information.keywords = value;
  information.creationDate = information.modDate = value;
  information.xmp = value;
  std::string line =
      catalogue::PdfRecord(information, "f.pdf", catalogue::RegionalFormats{}, 9 * 3600).line;
  std::size_t fields = 0;
  for (char c : line) {
    fields += c == ';' ? 1 : 0;
  }
  if (fields != 11 || platform::ValidUtf8(line) != line) {
    std::abort();
  }
  return 0;
}
