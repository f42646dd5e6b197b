// Feeds arbitrary bytes to the summary property reader and the record
// builder: neither may crash, read outside the buffer or run long.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/core/PropertySetParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  catalogue::PropertySetReadResult set = catalogue::ReadSummaryProperties(bytes);
  if (set.code == catalogue::kS_OK) {
    std::string line =
        catalogue::BuildDocumentRecord(set.values, "x.doc", catalogue::RegionalFormats{}, 9 * 3600);
    for (int i = 0; i < 11; ++i) {
      catalogue::NextField(line);
    }
  }
  return 0;
}
