#pragma once

#include <memory>
#include <string>

#include "catalogue/core/PdfInformation.h"
#include "catalogue/ole/OpenedDocument.h"

namespace catalogue {

// Reads a PDF file's information with qpdf: the strings of its document
// information dictionary and its metadata stream, decrypted when the file
// opens without a password. The document is opened once, through
// `document` (which the other sources of the same reader share).
class QpdfInformationSource : public PdfInformationSource {
 public:
  explicit QpdfInformationSource(
      std::shared_ptr<OpenedDocument> document = std::make_shared<OpenedDocument>());
  PdfDocumentInformation ReadPdfInformation(const std::string& path) override;

 private:
  std::shared_ptr<OpenedDocument> document_;
};

// A damaged file is rebuilt (its objects looked for through the whole
// file) only up to this size, so a large broken file costs no more than a
// moment.
inline constexpr std::uint64_t kPdfRecoveryLimit = std::uint64_t{16} << 20;

}  // namespace catalogue
