#include "catalogue/core/PackageMetadata.h"

#include <vector>

#include "catalogue/core/W3cDateTime.h"
#include "catalogue/core/XmlTree.h"
#include "platform/text/HexDigit.h"
#include "platform/text/Utf8.h"

namespace catalogue {

namespace {

constexpr std::string_view kCoreNs =
    "http://schemas.openxmlformats.org/package/2006/metadata/core-properties";
constexpr std::string_view kDcNs = "http://purl.org/dc/elements/1.1/";
constexpr std::string_view kDcTermsNs = "http://purl.org/dc/terms/";
constexpr std::string_view kRelsNs = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view kCoreRelationSuffix = "/metadata/core-properties";
constexpr std::string_view kOfficeNs = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view kMetaNs = "urn:oasis:names:tc:opendocument:xmlns:meta:1.0";
constexpr std::string_view kOpenDocumentType = "application/vnd.oasis.opendocument";
constexpr std::string_view kManifestNs = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";

// The whole text of the first such child, as well-formed UTF-8; empty when
// there is none.
std::string TextOf(const XmlElement& parent, std::string_view ns, std::string_view name) {
  const XmlElement* e = parent.Child(ns, name);
  return e == nullptr ? std::string() : platform::ValidUtf8(e->WholeText());
}

std::string DateOf(const XmlElement& parent, std::string_view ns, std::string_view name,
                   UnzonedTime unzoned, const RegionalFormats& formats, std::int64_t utcOffset) {
  const XmlElement* e = parent.Child(ns, name);
  return e == nullptr ? std::string()
                      : W3cDateTimeText(e->WholeText(), unzoned, formats, utcOffset);
}

// Decodes the %XX escapes of one segment of a part name; nothing when one
// is not two hex digits or stands for a character a segment cannot hold
// (NUL, "/" or "\\").
std::optional<std::string> DecodedSegment(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '%') {
      out += s[i];
      continue;
    }
    if (i + 2 >= s.size() || platform::HexDigitValue(s[i + 1]) < 0 ||
        platform::HexDigitValue(s[i + 2]) < 0) {
      return std::nullopt;
    }
    char c = static_cast<char>(platform::HexDigitValue(s[i + 1]) * 16 +
                               platform::HexDigitValue(s[i + 2]));
    if (c == '\0' || c == '/' || c == '\\') {
      return std::nullopt;
    }
    out += c;
    i += 2;
  }
  return out;
}

// A relationship target of the package's own relationships, as a part
// name: a URI reference relative to the package's root, without its query
// or fragment, "." and ".." resolved (no higher than the root).
std::optional<std::string> PartNameOfTarget(std::string_view target) {
  target = target.substr(0, target.find_first_of("?#"));
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= target.size()) {
    std::size_t slash = target.find('/', start);
    std::size_t end = slash == std::string_view::npos ? target.size() : slash;
    std::optional<std::string> segment = DecodedSegment(target.substr(start, end - start));
    if (!segment) {
      return std::nullopt;
    }
    if (*segment == "..") {
      if (!segments.empty()) {
        segments.pop_back();
      }
    } else if (!segment->empty() && *segment != ".") {
      segments.push_back(std::move(*segment));
    }
    if (slash == std::string_view::npos) {
      break;
    }
    start = slash + 1;
  }
  if (segments.empty()) {
    return std::nullopt;
  }
  std::string name;
  for (const std::string& segment : segments) {
    if (!name.empty()) {
      name += '/';
    }
    name += segment;
  }
  return name;
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// The bytes of a metadata part, or why they cannot be had.
struct PartText {
  bool present = false;
  std::string bytes;
  std::string damage;
};

PartText ReadMetadataPart(DocumentPackage& package, const std::string& name) {
  DocumentPackage::Part part = package.ReadPart(name, kMetadataPartLimit);
  PartText text;
  switch (part.status) {
    case DocumentPackage::Part::Status::Missing: return text;
    case DocumentPackage::Part::Status::Damaged:
      text.damage = name + " を書庫から取り出せません";
      return text;
    case DocumentPackage::Part::Status::Read: break;
  }
  if (!part.complete) {
    text.damage = name + " が大きすぎます (上限 4 MiB)";
    return text;
  }
  text.present = true;
  text.bytes = std::move(part.bytes);
  return text;
}

std::string NotWellFormed(const std::string& name, const std::string& why) {
  return name + " の XML が正しくありません: " + why;
}

PackageRecord FromMetadata(const std::string& partName, const MetadataFields& metadata,
                           std::string_view fileName) {
  PackageRecord record;
  record.recognised = true;
  if (!metadata.error.empty()) {
    record.damage = NotWellFormed(partName, metadata.error);
    return record;
  }
  DocumentFields fields = metadata.fields;
  fields[0] = std::string(fileName);
  record.line = JoinRecordLine(fields);
  return record;
}

PackageRecord NameOnly(std::string_view fileName) {
  DocumentFields fields;
  fields[0] = std::string(fileName);
  PackageRecord record;
  record.recognised = true;
  record.line = JoinRecordLine(fields);
  return record;
}

PackageRecord Damaged(std::string damage) {
  PackageRecord record;
  record.recognised = true;
  record.damage = std::move(damage);
  return record;
}

}  // namespace

MetadataFields CorePropertiesFields(std::string_view xml, const RegionalFormats& formats,
                                    std::int64_t utcOffsetSeconds) {
  MetadataFields result;
  XmlParseResult parsed = ParseXml(xml);
  if (!parsed.root) {
    result.error = parsed.error;
    return result;
  }
  const XmlElement& root = *parsed.root;
  DocumentFields& f = result.fields;
  f[kTitleField] = TextOf(root, kDcNs, "title");
  f[kLastSavedField] =
      DateOf(root, kDcTermsNs, "modified", UnzonedTime::Utc, formats, utcOffsetSeconds);
  f[kSubjectField] = TextOf(root, kDcNs, "subject");
  f[kAuthorField] = TextOf(root, kDcNs, "creator");
  f[kKeywordsField] = TextOf(root, kCoreNs, "keywords");
  f[kCommentsField] = TextOf(root, kDcNs, "description");
  f[kLastAuthorField] = TextOf(root, kCoreNs, "lastModifiedBy");
  f[kRevisionField] = TextOf(root, kCoreNs, "revision");
  f[kLastPrintedField] =
      DateOf(root, kCoreNs, "lastPrinted", UnzonedTime::Utc, formats, utcOffsetSeconds);
  f[kCreatedField] =
      DateOf(root, kDcTermsNs, "created", UnzonedTime::Utc, formats, utcOffsetSeconds);
  return result;
}

namespace {

// The fields of the office:meta element of `root` (meta.xml's
// office:document-meta, or a flat file's office:document).
MetadataFields OfficeMetaFields(const XmlElement& root, const RegionalFormats& formats,
                                std::int64_t utcOffsetSeconds) {
  MetadataFields result;
  const XmlElement* meta = root.Child(kOfficeNs, "meta");
  if (meta == nullptr) {
    return result;
  }
  DocumentFields& f = result.fields;
  f[kTitleField] = TextOf(*meta, kDcNs, "title");
  f[kLastSavedField] = DateOf(*meta, kDcNs, "date", UnzonedTime::Local, formats, utcOffsetSeconds);
  f[kSubjectField] = TextOf(*meta, kDcNs, "subject");
  f[kAuthorField] = TextOf(*meta, kMetaNs, "initial-creator");
  std::string keywords;
  for (const XmlElement* keyword : meta->Children(kMetaNs, "keyword")) {
    if (!keywords.empty()) {
      keywords += ' ';
    }
    keywords += keyword->WholeText();
  }
  f[kKeywordsField] = platform::ValidUtf8(keywords);
  f[kCommentsField] = TextOf(*meta, kDcNs, "description");
  f[kLastAuthorField] = TextOf(*meta, kDcNs, "creator");
  f[kRevisionField] = TextOf(*meta, kMetaNs, "editing-cycles");
  f[kLastPrintedField] =
      DateOf(*meta, kMetaNs, "print-date", UnzonedTime::Local, formats, utcOffsetSeconds);
  f[kCreatedField] =
      DateOf(*meta, kMetaNs, "creation-date", UnzonedTime::Local, formats, utcOffsetSeconds);
  return result;
}

}  // namespace

MetadataFields OpenDocumentMetaFields(std::string_view xml, const RegionalFormats& formats,
                                      std::int64_t utcOffsetSeconds) {
  XmlParseResult parsed = ParseXml(xml);
  if (!parsed.root) {
    MetadataFields result;
    result.error = parsed.error;
    return result;
  }
  return OfficeMetaFields(*parsed.root, formats, utcOffsetSeconds);
}

bool ManifestEncryptsMetadata(std::string_view manifestXml) {
  XmlParseResult parsed = ParseXml(manifestXml);
  if (!parsed.root) {
    return false;
  }
  for (const XmlElement* entry : parsed.root->Children(kManifestNs, "file-entry")) {
    const std::string* path = entry->AttributeValue(kManifestNs, "full-path");
    if (path != nullptr && (*path == "meta.xml" || *path == "encrypted-package") &&
        entry->Child(kManifestNs, "encryption-data") != nullptr) {
      return true;
    }
  }
  return false;
}

bool LooksLikeXml(std::string_view leadingBytes) {
  for (std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    if (leadingBytes.substr(0, mark.size()) == mark) {
      leadingBytes.remove_prefix(mark.size());
      break;
    }
  }
  return !leadingBytes.empty() && (leadingBytes[0] == '<' || leadingBytes.substr(0, 2) == "\0<");
}

std::string FlatMetadataBeyondMessage() {
  return "文書情報が先頭の " + std::to_string(kMetadataPartLimit >> 20) +
         " MiB にないため読み取りませんでした";
}

PackageRecord ReadFlatOpenDocumentRecord(std::string_view bytes, bool wholeFile,
                                         std::string_view fileName, const RegionalFormats& formats,
                                         std::int64_t utcOffsetSeconds) {
  XmlParseResult parsed = ParseXmlUntilEndOf(bytes, kOfficeNs, "meta");
  if (!parsed.root) {
    // Another kind of XML, or one that is not whole: which, the office
    // namespace near the start tells.
    constexpr std::size_t kHeadSearch = 4096;
    if (bytes.substr(0, kHeadSearch).find(kOfficeNs) == std::string_view::npos) {
      return {};
    }
    if (!wholeFile) {
      // No metadata in the part that was read: named, and said.
      PackageRecord record = NameOnly(fileName);
      record.leftOut = FlatMetadataBeyondMessage();
      return record;
    }
    return Damaged(NotWellFormed(std::string(fileName), parsed.error));
  }
  if (parsed.root->localName != "document" || parsed.root->namespaceUri != kOfficeNs) {
    return {};
  }
  return FromMetadata(std::string(fileName),
                      OfficeMetaFields(*parsed.root, formats, utcOffsetSeconds), fileName);
}

std::optional<std::string> CorePropertiesPartName(std::string_view relsXml, std::string& error) {
  XmlParseResult parsed = ParseXml(relsXml);
  if (!parsed.root) {
    error = parsed.error;
    return std::nullopt;
  }
  for (const XmlElement* relation : parsed.root->Children(kRelsNs, "Relationship")) {
    const std::string* type = relation->AttributeValue("Type");
    const std::string* target = relation->AttributeValue("Target");
    const std::string* mode = relation->AttributeValue("TargetMode");
    if (type == nullptr || target == nullptr || !EndsWith(*type, kCoreRelationSuffix) ||
        (mode != nullptr && *mode == "External")) {
      continue;
    }
    if (std::optional<std::string> name = PartNameOfTarget(*target)) {
      return name;
    }
  }
  return std::nullopt;
}

PackageRecord ReadPackageRecord(DocumentPackage& package, std::string_view fileName,
                                const RegionalFormats& formats, std::int64_t utcOffsetSeconds) {
  DocumentPackage::Part mimetype = package.ReadPart("mimetype", kOpenDocumentType.size());
  if (mimetype.status == DocumentPackage::Part::Status::Damaged) {
    return Damaged("mimetype を書庫から取り出せません");
  }
  if (mimetype.status == DocumentPackage::Part::Status::Read &&
      mimetype.bytes == kOpenDocumentType) {
    const std::string name = "meta.xml";
    PartText meta = ReadMetadataPart(package, name);
    PackageRecord record;
    if (!meta.damage.empty()) {
      record = Damaged(meta.damage);
    } else if (!meta.present) {
      record = NameOnly(fileName);
    } else {
      record = FromMetadata(name, OpenDocumentMetaFields(meta.bytes, formats, utcOffsetSeconds),
                            fileName);
    }
    if (!meta.present || !record.damage.empty()) {
      // Encrypted metadata reads as damaged or missing: the manifest tells.
      PartText manifest = ReadMetadataPart(package, "META-INF/manifest.xml");
      if (manifest.present && ManifestEncryptsMetadata(manifest.bytes)) {
        record.line.clear();
        record.damage.clear();
        record.passwordProtected = true;
      }
    }
    return record;
  }

  if (package.ReadPart("[Content_Types].xml", 0).status == DocumentPackage::Part::Status::Missing) {
    return {};  // a ZIP archive of some other kind
  }
  const std::string relsName = "_rels/.rels";
  PartText rels = ReadMetadataPart(package, relsName);
  if (!rels.damage.empty()) {
    return Damaged(rels.damage);
  }
  if (!rels.present) {
    return NameOnly(fileName);
  }
  std::string error;
  std::optional<std::string> coreName = CorePropertiesPartName(rels.bytes, error);
  if (!error.empty()) {
    return Damaged(NotWellFormed(relsName, error));
  }
  if (!coreName) {
    return NameOnly(fileName);
  }
  PartText core = ReadMetadataPart(package, *coreName);
  if (!core.damage.empty()) {
    return Damaged(core.damage);
  }
  if (!core.present) {
    return NameOnly(fileName);
  }
  return FromMetadata(*coreName, CorePropertiesFields(core.bytes, formats, utcOffsetSeconds),
                      fileName);
}

}  // namespace catalogue
