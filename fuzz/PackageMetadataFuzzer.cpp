// Feeds arbitrary bytes to the package metadata readers: the core
// properties, OpenDocument meta, manifest and relationships parts, and
// flat OpenDocument files whole or cut. None may crash, read outside the
// buffer, expand an entity or run long.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/core/ListFile.h"
#include "catalogue/core/PackageMetadata.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  catalogue::RegionalFormats formats;
  for (const catalogue::MetadataFields& metadata :
       {catalogue::CorePropertiesFields(bytes, formats, 9 * 3600),
        catalogue::OpenDocumentMetaFields(bytes, formats, -5 * 3600)}) {
    if (metadata.error.empty()) {
      std::string line = catalogue::JoinRecordLine(metadata.fields);
      for (int i = 0; i < 11; ++i) {
        catalogue::NextField(line);
      }
    }
  }
  std::string error;
  catalogue::CorePropertiesPartName(bytes, error);
  catalogue::ManifestEncryptsMetadata(bytes);
  for (bool wholeFile : {true, false}) {
    catalogue::ReadFlatOpenDocumentRecord(bytes, wholeFile, "f.fodt", formats, 0);
  }
  return 0;
}
