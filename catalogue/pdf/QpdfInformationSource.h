#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/core/PdfInformation.h"
#include "catalogue/scan/OpenedDocument.h"

namespace catalogue {

// The longest one PDF may take to read: past it the read stops and the
// document is named as unread.
inline constexpr std::chrono::milliseconds kPdfReadDeadline{10000};

// Reads a PDF file's information with qpdf: the strings of its document
// information dictionary and its metadata stream, decrypted when the file
// opens without a password. The document is opened once, through
// `document` (which the other sources of the same reader share).
//
// A file up to kPdfRecoveryLimit is read once into memory and parsed from
// there (so it cannot change under the parser, and a damaged one is
// repaired from memory), after its object and cross-reference streams were
// weighed against a budget (StructureBudget.h). Every read ends by
// `deadline` (kPdfReadDeadline), or says it took too long.
class QpdfInformationSource : public PdfInformationSource {
 public:
  explicit QpdfInformationSource(
      std::shared_ptr<OpenedDocument> document = std::make_shared<OpenedDocument>(),
      std::chrono::milliseconds deadline = kPdfReadDeadline);
  PdfDocumentInformation ReadPdfInformation(const std::string& path) override;

 private:
  std::shared_ptr<OpenedDocument> document_;
  std::chrono::milliseconds deadline_;
};

// What is said of a PDF whose reading passed its deadline.
std::string TooLongMessage(std::chrono::milliseconds deadline);

// A damaged file is rebuilt (its objects looked for through the whole
// file) only up to this size, so a large broken file costs no more than a
// moment.
inline constexpr std::uint64_t kPdfRecoveryLimit = std::uint64_t{16} << 20;

}  // namespace catalogue
