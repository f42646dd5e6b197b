#pragma once

#include <memory>
#include <string>

#include "catalogue/core/PackageAndRtfReader.h"

namespace catalogue {

// Reads the start of a file with plain POSIX calls and opens ZIP archives
// read-only with libgsf. Parts are decompressed only as far as asked, so an
// archive that claims or hides a huge part costs no more than the limit.
class ZipPackageSource : public catalogue::PackageAndRtfSource {
 public:
  ZipPackageSource();
  FileStart ReadFileStart(const std::string& path, std::size_t maxBytes) override;
  std::unique_ptr<catalogue::DocumentPackage> OpenPackage(const std::string& path) override;
};

}  // namespace catalogue
