#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/core/FileTimeText.h"
#include "catalogue/core/PackageMetadata.h"

namespace catalogue {

// What a PDF file gives the reader: its document information dictionary
// (the strings as stored, decrypted) and its metadata stream (XMP).
struct PdfDocumentInformation {
  enum class Status { Read, PasswordProtected, Damaged };
  Status status = Status::Damaged;
  std::string damage;  // why it cannot be read, when Damaged (Japanese, UTF-8)

  // The strings of /Title, /Author, /Subject, /Keywords, /CreationDate and
  // /ModDate as stored; nothing where an entry is missing or not a string.
  std::optional<std::string> title, author, subject, keywords, creationDate, modDate;
  // The catalogue's /Metadata stream, decoded; empty when there is none or
  // it is larger than kMetadataPartLimit.
  std::string xmp;
  // When Read: what was left out, said to the user (an information
  // dictionary that could not be read, say); empty when nothing was.
  std::string leftOut;
};

// Reads the information of a PDF file (the library behind it is an
// adapter's).
class PdfInformationSource {
 public:
  virtual ~PdfInformationSource() = default;
  // `path` in file system bytes.
  virtual PdfDocumentInformation ReadPdfInformation(const std::string& path) = 0;
};

// Whether a file whose first bytes (up to 1,024) are `head` is a PDF file:
// "%PDF-" within them, as readers accept it after some leading bytes.
bool LooksLikePdf(std::string_view head);

// A PDF text string as UTF-8: UTF-16BE after its mark (language escapes
// left out), UTF-8 after its mark, otherwise UTF-8 when it is well formed,
// Shift-JIS when it reads as such with a two-byte character (Japanese
// programs wrote it so), and PDFDocEncoding for the rest.
std::string PdfTextToUtf8(std::string_view bytes);

// A PDF date ("D:YYYYMMDDHHmmSSOHH'mm'", every part after the year
// optional) in the W3C form W3cDateTimeText reads; nothing for text that is
// not one.
std::optional<std::string> PdfDateToW3c(std::string_view text);

// The properties of an XMP packet that a record uses, as UTF-8 (dates as
// written: W3C form).
struct XmpProperties {
  std::string title;        // dc:title (its x-default, or first, language)
  std::string description;  // dc:description, the PDF's subject
  std::string creators;     // dc:creator, joined by ", "
  std::string keywords;     // pdf:Keywords, or dc:subject joined by ", "
  std::string createDate;   // xmp:CreateDate
  std::string modifyDate;   // xmp:ModifyDate
};
// Empty properties when the packet is not well-formed XML.
XmpProperties ReadXmpProperties(std::string_view packet);

// The record of a PDF file: title, subject, author and keywords from the
// information dictionary, the creation date as created and the date of
// change as last saved; an entry missing or empty there is taken from the
// metadata stream. Dates without a zone are local time as written.
PackageRecord PdfRecord(const PdfDocumentInformation& information, std::string_view fileName,
                        const RegionalFormats& formats, std::int64_t utcOffsetSeconds);

}  // namespace catalogue
