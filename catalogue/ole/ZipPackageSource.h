#pragma once

#include <memory>
#include <string>

#include "catalogue/core/NewerFormatReader.h"
#include "catalogue/scan/OpenedDocument.h"

namespace catalogue {

// Reads a file's bytes with plain POSIX calls and opens ZIP archives
// read-only with libgsf. Parts are decompressed only as far as asked, so an
// archive that claims or hides a huge part costs no more than the limit. The
// document is opened once, through `document` (which the compound-file
// source of the same reader shares).
class ZipPackageSource : public catalogue::NewerFormatSource {
 public:
  explicit ZipPackageSource(
      std::shared_ptr<OpenedDocument> document = std::make_shared<OpenedDocument>());
  FileStart ReadFileStart(const std::string& path, std::size_t maxBytes) override;
  std::string ReadFileRange(const std::string& path, std::uint64_t offset,
                            std::size_t size) override;
  std::unique_ptr<catalogue::DocumentPackage> OpenPackage(const std::string& path) override;

 private:
  std::shared_ptr<OpenedDocument> document_;
};

}  // namespace catalogue
