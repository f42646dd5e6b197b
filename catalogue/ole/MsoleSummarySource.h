#pragma once

#include <memory>
#include <string>

#include "catalogue/core/SummaryStreamSource.h"
#include "catalogue/scan/OpenedDocument.h"

namespace catalogue {

// Opens documents read-only as compound files with libgsf and hands over the
// bytes of their summary-information stream, with failures told in the codes
// of Windows structured storage:
//  - missing file STG_E_FILENOTFOUND, missing folder on the way
//    STG_E_PATHNOTFOUND, no permission or a folder STG_E_ACCESSDENIED;
//  - a file that is not a compound file (shorter than one header, or without
//    the compound-file signature) STG_E_FILEALREADYEXISTS;
//  - a compound file libgsf cannot open (truncated, damaged tables)
//    STG_E_DOCFILECORRUPT.
// The document is opened once, through `document`, which a package source
// may share.
class MsoleSummarySource : public catalogue::SummaryStreamSource {
 public:
  explicit MsoleSummarySource(
      std::shared_ptr<OpenedDocument> document = std::make_shared<OpenedDocument>());
  const std::shared_ptr<OpenedDocument>& Document() const { return document_; }
  void UseFetchedFiles(FetchedFiles* fetched) override { document_->UseFetched(fetched); }
  catalogue::SummaryStream ReadSummaryStream(const std::string& path) override;

  // Streams larger than this are not read (a summary set is a few kilobytes;
  // a thumbnail can make it some hundred).
  static constexpr long long kMaxStreamBytes = 16LL << 20;

 private:
  std::shared_ptr<OpenedDocument> document_;
};

}  // namespace catalogue
