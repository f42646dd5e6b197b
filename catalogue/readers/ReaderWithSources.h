#pragma once

#include <memory>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/ole/ZipPackageSource.h"
#include "catalogue/pdf/QpdfInformationSource.h"
#include "catalogue/scan/OpenedDocument.h"
#include "catalogue/scan/ParallelReading.h"

namespace catalogue {

// A document reader with the sources it reads through, each document opened
// once for all of them: compound files through libgsf and, with the newer
// formats, packages and RTF files, and PDF files through qpdf.
class ReaderWithSources : public ReaderHolder {
 public:
  // `compound`, when given, reads the compound files instead (tests).
  ReaderWithSources(MessageReporter& reporter, DocumentFormats formats,
                    std::unique_ptr<SummaryStreamSource> compound = nullptr);
  DocumentReader& Reader() override { return reader_; }

 private:
  std::shared_ptr<OpenedDocument> document_;
  std::unique_ptr<SummaryStreamSource> compound_;
  ZipPackageSource packages_;
  QpdfInformationSource pdf_;
  DocumentReader reader_;
};

// Makes readers with their sources, for the other threads of a scan;
// `makeCompound`, when given, makes their compound-file sources (tests).
ReaderMaker MakerOfReadersWithSources(
    DocumentFormats formats,
    std::function<std::unique_ptr<SummaryStreamSource>()> makeCompound = {});

}  // namespace catalogue
