#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/core/DocumentRecord.h"
#include "catalogue/core/FileTimeText.h"

namespace catalogue {

// A document package (a ZIP archive: Office Open XML or OpenDocument) as
// the reader needs it: the bytes of a part, by name.
class DocumentPackage {
 public:
  struct Part {
    enum class Status { Read, Missing, Damaged };
    Status status = Status::Missing;
    std::string bytes;     // at most the bytes asked for
    bool complete = true;  // false when the part goes on past them
  };
  virtual ~DocumentPackage() = default;
  // `name` is the part's path in the archive without a leading "/"; ASCII
  // letters match either case, as package part names do.
  virtual Part ReadPart(const std::string& name, std::size_t maxBytes) = 0;
};

// A metadata part larger than this is not read (nor decompressed further).
inline constexpr std::size_t kMetadataPartLimit = std::size_t{4} << 20;

// The fields of a metadata part, or why it cannot be read.
struct MetadataFields {
  DocumentFields fields;  // the file name field is left to the caller
  std::string error;      // not empty: the part is not well-formed
};

// The fields of an Office Open XML core-properties part. Dates without a
// zone are UTC.
MetadataFields CorePropertiesFields(std::string_view xml, const RegionalFormats& formats,
                                    std::int64_t utcOffsetSeconds);

// The fields of an OpenDocument meta.xml. Dates without a zone are local
// time as written.
MetadataFields OpenDocumentMetaFields(std::string_view xml, const RegionalFormats& formats,
                                      std::int64_t utcOffsetSeconds);

// The name of the core-properties part that a package's relationships
// (_rels/.rels) point to: nothing when they name none; `error` is set when
// they are not well-formed.
std::optional<std::string> CorePropertiesPartName(std::string_view relsXml, std::string& error);

// What a package gives.
struct PackageRecord {
  bool recognised = false;         // OpenDocument or Office Open XML
  std::string line;                // the record line when recognised and readable
  std::string damage;              // why the metadata cannot be read (Japanese, UTF-8)
  bool passwordProtected = false;  // the metadata is encrypted with the document
  std::string leftOut;             // read, but this was left out (Japanese, UTF-8)
};

// Reads a package: OpenDocument when its "mimetype" part names one, Office
// Open XML when it has "[Content_Types].xml", otherwise not recognised. A
// recognised package without metadata gives its name and empty fields; an
// OpenDocument package whose manifest says its metadata is encrypted is
// password-protected.
PackageRecord ReadPackageRecord(DocumentPackage& package, std::string_view fileName,
                                const RegionalFormats& formats, std::int64_t utcOffsetSeconds);

// Whether an OpenDocument manifest (META-INF/manifest.xml) encrypts the
// metadata: meta.xml, or the whole package ("encrypted-package").
bool ManifestEncryptsMetadata(std::string_view manifestXml);

// What is said of a flat OpenDocument file whose metadata is not within
// the part read (kMetadataPartLimit bytes).
std::string FlatMetadataBeyondMessage();

// Whether the first bytes of a file may start a flat OpenDocument file (an
// XML document: a declaration or an element, after an optional mark).
bool LooksLikeXml(std::string_view leadingBytes);

// Reads a flat OpenDocument file (.fodt, .fods, .fodp: one XML document
// whose root office:document holds office:meta) from its first bytes, at
// most kMetadataPartLimit of them (`wholeFile` false when it goes on).
// Only the text up to the end of office:meta is parsed. An XML document of
// another kind is not recognised.
PackageRecord ReadFlatOpenDocumentRecord(std::string_view bytes, bool wholeFile,
                                         std::string_view fileName, const RegionalFormats& formats,
                                         std::int64_t utcOffsetSeconds);

}  // namespace catalogue
