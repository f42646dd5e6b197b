// Feeds arbitrary bytes, as a whole PDF file, to the reader of its
// information through qpdf (read into memory, its structure streams
// weighed, then parsed from there): no crash, no hang, no library message
// on stderr, and an outcome the record reader takes.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/core/PdfInformation.h"
#include "catalogue/pdf/QpdfInformationSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The file lives in memory; the reader opens it by its path like any
  // other.
  int fd = ::memfd_create("pdf", MFD_CLOEXEC);
  if (fd < 0) {
    return 0;
  }
  if (::write(fd, data, size) != static_cast<ssize_t>(size)) {
    ::close(fd);
    return 0;
  }
  catalogue::QpdfInformationSource source;
  catalogue::PdfDocumentInformation information =
      source.ReadPdfInformation("/proc/self/fd/" + std::to_string(fd));
  catalogue::PackageRecord record =
      catalogue::PdfRecord(information, "f.pdf", catalogue::RegionalFormats{}, 0);
  if (information.status == catalogue::PdfDocumentInformation::Status::Damaged &&
      record.damage.empty()) {
    std::abort();  // a damaged file must say why
  }
  ::close(fd);
  return 0;
}
