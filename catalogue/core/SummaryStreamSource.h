#pragma once

#include <string>

#include "catalogue/core/StorageCodes.h"

namespace catalogue {

class FetchedFiles;

// What opening a document as a compound file gives.
struct SummaryStream {
  // S_OK, or why the file could not be opened as a compound file
  // (STG_E_FILENOTFOUND, STG_E_FILEALREADYEXISTS for a file that is not one,
  // STG_E_ACCESSDENIED, a corrupt-file code, ...).
  HResult storageCode = kS_OK;
  // When the file opened: S_OK, or why its summary set cannot be opened
  // (STG_E_FILENOTFOUND when the file has no "\005SummaryInformation"
  // stream, STG_E_READFAULT when the stream cannot be read whole).
  HResult setCode = kS_OK;
  // The stream's bytes when both codes are S_OK.
  std::string bytes;
  // For a file that is not a compound file (STG_E_FILEALREADYEXISTS): its
  // first bytes, up to 8, when they could be read.
  std::string leadingBytes;
  // The compound file is the wrapper of a password-protected Office Open
  // XML document (it holds "EncryptionInfo" and "EncryptedPackage").
  bool encryptedPackage = false;
};

// The compound-file service the reader needs: the bytes of one stream.
class SummaryStreamSource {
 public:
  virtual ~SummaryStreamSource() = default;
  // `path` is the file system's bytes of the document's path.
  virtual SummaryStream ReadSummaryStream(const std::string& path) = 0;
  // Documents opened and partly read ahead (null: none) are taken from
  // `fetched` rather than opened again.
  virtual void UseFetchedFiles(FetchedFiles* /*fetched*/) {}
};

// Where the reader's messages go: gathered for one summary during a folder
// scan, a line on stderr in the command-line tool. Texts are UTF-8 and may
// hold CR LF; `path` is the document the message is about (file system bytes).
class MessageReporter {
 public:
  virtual ~MessageReporter() = default;
  virtual void ShowMessage(const std::string& path, const std::string& text) = 0;
  // The document was read, but a value longer than a record holds was cut
  // (RecordFieldLimit); told once per document.
  virtual void NoteValuesCut(const std::string& path) = 0;
  // The document was read, but part of it was left out (`text` says what
  // and why: metadata beyond the part a reader takes, a structure nested
  // deeper than it goes); told once per document.
  virtual void NoteLeftOut(const std::string& path, const std::string& text) = 0;
};

}  // namespace catalogue
