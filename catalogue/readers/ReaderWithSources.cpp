#include "catalogue/readers/ReaderWithSources.h"

#include "catalogue/ole/MsoleSummarySource.h"

namespace catalogue {

ReaderWithSources::ReaderWithSources(MessageReporter& reporter, DocumentFormats formats,
                                     std::unique_ptr<SummaryStreamSource> compound)
    : document_(std::make_shared<OpenedDocument>()),
      compound_(compound ? std::move(compound) : std::make_unique<MsoleSummarySource>(document_)),
      packages_(document_),
      pdf_(document_),
      reader_(*compound_, reporter) {
  if (formats == DocumentFormats::WithNewer) {
    reader_.ReadNewerFormats(packages_, &pdf_);
  }
}

ReaderMaker MakerOfReadersWithSources(
    DocumentFormats formats, std::function<std::unique_ptr<SummaryStreamSource>()> makeCompound) {
  return [formats, makeCompound](MessageReporter& reporter) -> std::unique_ptr<ReaderHolder> {
    return std::make_unique<ReaderWithSources>(reporter, formats,
                                               makeCompound ? makeCompound() : nullptr);
  };
}

}  // namespace catalogue
