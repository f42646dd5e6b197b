#pragma once

#include <string_view>
#include <vector>

namespace catalogue {

// Which documents a folder lists and the reader reads.
enum class DocumentFormats { Classic, WithNewer };

// What a document's first bytes say it is; the reader goes by this, never
// by the name.
enum class Signature {
  CompoundFile,  // D0 CF 11 E0 A1 B1 1A E1: read for its summary properties
  Zip,           // "PK\3\4": an Office Open XML or OpenDocument package
  Rtf,           // "{\rtf": its \info group
  Xml,           // an XML declaration or element: flat OpenDocument
  Pdf,           // "%PDF-" within the first 1,024 bytes
};

// One document format the program lists and reads: a row of the table.
struct DocumentFormatRow {
  std::string_view name;                     // for the user (README, manual)
  std::vector<std::string_view> extensions;  // lower case, with the dot
  DocumentFormats listedWith;                // Classic: listed always
  Signature signature;
};

// Every format, one row each. The folder mask lists a file by its
// extension (MatchesDocumentMask); the reader then goes by its signature:
// a compound file through the summary-stream source, the others through
// NewerFormatReader (only with the newer formats: without them a file that
// is not a compound file is "not supported", RTF included).
//
// Adding a format: its parser (bytes in, a record out) in catalogue/core,
// a row here, its reader in NewerFormatReader's table for a new signature,
// and its extensions in the README's list (a test checks the list).
const std::vector<DocumentFormatRow>& DocumentFormatTable();

// Whether `head` (a file's first bytes) has `signature`.
bool HasSignature(Signature signature, std::string_view head);

}  // namespace catalogue
