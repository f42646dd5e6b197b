#include "catalogue/core/PackageMetadata.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <map>

#include "catalogue/core/DocumentReader.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/core/NewerFormatReader.h"
#include "catalogue/core/W3cDateTime.h"
#include "tests/catalogue/FakeDocuments.h"
#include "tests/support/InputFiles.h"
#include "tests/support/PackageWriter.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

constexpr std::int64_t kJapan = 9 * 3600;

std::string Date(std::string_view text, UnzonedTime unzoned = UnzonedTime::Utc,
                 std::int64_t offset = kJapan) {
  return W3cDateTimeText(text, unzoned, RegionalFormats{}, offset);
}

TEST(W3cDateTime, ZonesBecomeLocalTimeAndUnzonedTimesFollowTheFormat) {
  EXPECT_EQ(Date("2024-03-05T10:20:30Z"), "2024/03/05 19:20:30");
  EXPECT_EQ(Date("2024-03-05T10:20:30+09:00"), "2024/03/05 10:20:30");
  EXPECT_EQ(Date("2024-03-05T20:20:30-05:30"), "2024/03/06 10:50:30");
  EXPECT_EQ(Date("2024-03-05T15:00:00Z"), "2024/03/06");  // local midnight shows no time
  EXPECT_EQ(Date("2024-03-05T10:20Z"), "2024/03/05 19:20:00");
  EXPECT_EQ(Date("2024-03-05T10:20:30.987654321Z"), "2024/03/05 19:20:30");
  // Without a zone: UTC for Office Open XML, as written for OpenDocument.
  EXPECT_EQ(Date("2024-03-05T10:20:30"), "2024/03/05 19:20:30");
  EXPECT_EQ(Date("2024-03-05T10:20:30", UnzonedTime::Local), "2024/03/05 10:20:30");
  EXPECT_EQ(Date("2024-03-05T10:20:30+01:00", UnzonedTime::Local), "2024/03/05 18:20:30");
  // Reduced precision, and white space around it in the element.
  EXPECT_EQ(Date("2024", UnzonedTime::Local), "2024/01/01");
  EXPECT_EQ(Date("2024-03", UnzonedTime::Local), "2024/03/01");
  EXPECT_EQ(Date("\n  2024-03-05 \t", UnzonedTime::Local), "2024/03/05");
  EXPECT_EQ(Date("2024-02-29", UnzonedTime::Local), "2024/02/29");
  // Word's "never" and everything that is not a date-time are empty.
  EXPECT_EQ(Date("1601-01-01T00:00:00Z"), "");
  EXPECT_EQ(Date("1601-01-01T00:00:00", UnzonedTime::Local), "");
  for (const char* bad :
       {"", "2023-02-29", "2024-13-01", "2024-00-10", "2024-04-31", "24-03-05", "2024-3-5",
        "2024-03-05T24:00:00Z", "2024-03-05T10:60Z", "2024-03-05T10:20:61Z",
        "2024-03-05T10:20:30+0900", "2024-03-05T10", "2024-03-05 10:20:30", "2024-03-05T10:20:30.Z",
        "2024-03-05Z", "0000-01-01", "1200-05-05T00:00:00Z", "2024-03-05T10:20:30Zjunk",
        "１９９９-01-01"}) {
    EXPECT_EQ(Date(bad), "") << bad;
  }
}

// A package answering from a table of parts.
class FakePackage : public DocumentPackage {
 public:
  std::map<std::string, std::string> parts;
  std::vector<std::string> damaged;
  std::vector<std::string> asked;

  Part ReadPart(const std::string& name, std::size_t maxBytes) override {
    asked.push_back(name);
    Part part;
    if (std::find(damaged.begin(), damaged.end(), name) != damaged.end()) {
      part.status = Part::Status::Damaged;
      return part;
    }
    auto it = parts.find(name);
    if (it == parts.end()) {
      return part;
    }
    part.status = Part::Status::Read;
    part.bytes = it->second.substr(0, maxBytes);
    part.complete = it->second.size() <= maxBytes;
    return part;
  }
};

FakePackage Docx(const std::string& coreElements) {
  FakePackage package;
  for (const auto& [name, bytes] :
       testsupport::DocxParts(testsupport::CorePropertiesXml(coreElements))) {
    package.parts[name] = bytes;
  }
  return package;
}

FakePackage Odt(const std::string& metaElements) {
  FakePackage package;
  for (const auto& [name, bytes] :
       testsupport::OdtParts(testsupport::OpenDocumentMetaXml(metaElements))) {
    package.parts[name] = bytes;
  }
  return package;
}

PackageRecord Read(FakePackage& package) {
  return ReadPackageRecord(package, "a.docx", RegionalFormats{}, kJapan);
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string rest = line;
  for (int i = 0; i < 11; ++i) {
    fields.push_back(NextField(rest));
  }
  return fields;
}

TEST(PackageMetadata, CorePropertiesFillEveryField) {
  FakePackage docx = Docx(
      "<dc:title>Annual report</dc:title><dc:subject>Sales</dc:subject>"
      "<dc:creator>Aiko</dc:creator><cp:keywords>sales; 2024<cp:value> "
      "east</cp:value></cp:keywords>"
      "<dc:description>line one\nline two</dc:description>"
      "<cp:lastModifiedBy>\xE5\xB1\xB1\xE7\x94\xB0</cp:lastModifiedBy>"
      "<cp:revision>0012</cp:revision>"
      "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2024-01-02T03:04:05Z</dcterms:created>"
      "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2024-06-07T08:09:10Z</dcterms:modified>"
      "<cp:lastPrinted>2024-06-07T00:00:00Z</cp:lastPrinted>"
      "<dc:title>second title, not read</dc:title>");
  PackageRecord record = Read(docx);
  ASSERT_TRUE(record.recognised);
  ASSERT_EQ(record.damage, "");
  EXPECT_EQ(Fields(record.line),
            (std::vector<std::string>{"a.docx", "Annual report", "2024/06/07 17:09:10", "Sales",
                                      "Aiko", "sales； 2024 east", "line one line two", "山田",
                                      "0012", "2024/06/07 9:00:00", "2024/01/02 12:04:05"}));
}

TEST(PackageMetadata, OpenDocumentMetaFillsEveryField) {
  FakePackage odt =
      Odt("<meta:generator>LibreOffice</meta:generator><dc:title>Plan</dc:title>"
          "<dc:subject>Q3</dc:subject><meta:initial-creator>Ben</meta:initial-creator>"
          "<dc:creator>Chie</dc:creator><meta:keyword>alpha</meta:keyword>"
          "<meta:keyword>beta gamma</meta:keyword><dc:description>note</dc:description>"
          "<meta:editing-cycles>7</meta:editing-cycles>"
          "<meta:creation-date>2023-11-12T13:14:15.123</meta:creation-date>"
          "<dc:date>2024-02-03T04:05:06.5</dc:date>"
          "<meta:print-date>2024-02-03T10:00:00Z</meta:print-date>"
          "<dc:language>ja-JP</dc:language>");
  PackageRecord record = Read(odt);
  ASSERT_TRUE(record.recognised);
  ASSERT_EQ(record.damage, "");
  EXPECT_EQ(Fields(record.line),
            (std::vector<std::string>{"a.docx", "Plan", "2024/02/03 4:05:06", "Q3", "Ben",
                                      "alpha beta gamma", "note", "Chie", "7",
                                      "2024/02/03 19:00:00", "2023/11/12 13:14:15"}));
  // Templates are OpenDocument too; the mimetype only has to start right.
  odt.parts["mimetype"] = "application/vnd.oasis.opendocument.text-template";
  EXPECT_EQ(Fields(Read(odt).line)[1], "Plan");
}

TEST(PackageMetadata, WhatIsMissingLeavesTheNameAndEmptyFields) {
  const std::string nameOnly = "a.docx;;;;;;;;;;;";
  FakePackage noCore = Docx("");
  noCore.parts.erase("docProps/core.xml");
  EXPECT_EQ(Read(noCore).line, nameOnly);
  FakePackage noRels = Docx("<dc:title>t</dc:title>");
  noRels.parts.erase("_rels/.rels");
  EXPECT_EQ(Read(noRels).line, nameOnly);
  FakePackage noRelation = Docx("<dc:title>t</dc:title>");
  noRelation.parts["_rels/.rels"] =
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>";
  EXPECT_EQ(Read(noRelation).line, nameOnly);
  FakePackage noMeta = Odt("");
  noMeta.parts.erase("meta.xml");
  EXPECT_EQ(Read(noMeta).line, nameOnly);
  FakePackage otherRoot = Odt("");
  otherRoot.parts["meta.xml"] = "<other/>";
  EXPECT_EQ(Read(otherRoot).line, nameOnly);

  // A ZIP archive that is neither kind is not recognised.
  FakePackage plainZip;
  plainZip.parts["readme.txt"] = "hello";
  EXPECT_FALSE(Read(plainZip).recognised);
  plainZip.parts["mimetype"] = "application/epub+zip";
  EXPECT_FALSE(Read(plainZip).recognised);
  plainZip.parts["mimetype"] = "application/vnd.oasis.opendocumen";
  EXPECT_FALSE(Read(plainZip).recognised);
}

TEST(PackageMetadata, TheCorePropertiesPartIsFoundThroughTheRelationships) {
  auto rels = [](const std::string& relations) {
    return "<Relationships "
           "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
           relations + "</Relationships>";
  };
  auto core = [](const std::string& target, const std::string& extra = "") {
    return "<Relationship Id=\"r\" Type=\"http://schemas.openxmlformats.org/package/2006/"
           "relationships/metadata/core-properties\" Target=\"" +
           target + "\"" + extra + "/>";
  };
  std::string error;
  EXPECT_EQ(CorePropertiesPartName(rels(core("/docProps/core.xml")), error), "docProps/core.xml");
  EXPECT_EQ(CorePropertiesPartName(rels(core("./a/../props/my%20core.xml")), error),
            "props/my core.xml");
  EXPECT_EQ(CorePropertiesPartName(rels(core("x.xml", " TargetMode=\"External\"") + core("y.xml")),
                                   error),
            "y.xml");
  // Resolved as a URI from the root: ".." stops there, a query or fragment goes.
  EXPECT_EQ(CorePropertiesPartName(rels(core("../docProps/core.xml")), error), "docProps/core.xml");
  EXPECT_EQ(CorePropertiesPartName(rels(core("core.xml#part")), error), "core.xml");
  EXPECT_EQ(CorePropertiesPartName(rels(core("/core.xml?v=2")), error), "core.xml");
  // Escapes that are not, or that would end or split a name, name nothing.
  for (const char* target :
       {"%zz", "core%00.xml", "a%2Fb.xml", "a%5Cb.xml", "%2", "", "/", "./.."}) {
    EXPECT_EQ(CorePropertiesPartName(rels(core(target)), error), std::nullopt) << target;
  }
  EXPECT_EQ(error, "");
  // Another namespace for the type's host is fine: only its end counts.
  EXPECT_EQ(CorePropertiesPartName(
                rels("<Relationship Id=\"r\" Type=\"http://purl.oclc.org/ooxml/officeDocument/"
                     "relationships/metadata/core-properties\" Target=\"c.xml\"/>"),
                error),
            "c.xml");

  FakePackage moved = Docx("<dc:title>moved</dc:title>");
  moved.parts["elsewhere/props.xml"] = moved.parts["docProps/core.xml"];
  moved.parts.erase("docProps/core.xml");
  moved.parts["_rels/.rels"] = rels(core("/elsewhere/props.xml"));
  EXPECT_EQ(Fields(Read(moved).line)[1], "moved");
}

TEST(PackageMetadata, DamagedPartsGiveAMessageNamingThePart) {
  FakePackage broken = Docx("<dc:title>unclosed</dc:title");
  PackageRecord record = Read(broken);
  EXPECT_TRUE(record.recognised);
  EXPECT_EQ(record.line, "");
  EXPECT_NE(record.damage.find("docProps/core.xml"), std::string::npos) << record.damage;
  EXPECT_NE(record.damage.find("行目"), std::string::npos) << record.damage;

  FakePackage badRels = Docx("");
  badRels.parts["_rels/.rels"] = "<Relationships>";
  EXPECT_NE(Read(badRels).damage.find("_rels/.rels"), std::string::npos);

  FakePackage badMimetype = Odt("<dc:title>t</dc:title>");
  badMimetype.damaged.push_back("mimetype");
  record = Read(badMimetype);
  EXPECT_TRUE(record.recognised);
  EXPECT_NE(record.damage.find("mimetype"), std::string::npos);

  FakePackage unreadable = Odt("<dc:title>t</dc:title>");
  unreadable.damaged.push_back("meta.xml");
  EXPECT_NE(Read(unreadable).damage.find("meta.xml"), std::string::npos);

  // A part past the limit is not read whole, however well it compresses.
  FakePackage huge = Odt("<dc:title>t</dc:title>" + std::string(kMetadataPartLimit, ' '));
  record = Read(huge);
  EXPECT_EQ(record.line, "");
  EXPECT_NE(record.damage.find("4 MiB"), std::string::npos) << record.damage;
}

TEST(PackageMetadata, EveryKeptFuzzInputReadsToADefinedOutcome) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "package";
  int replayed = 0;
  for (const std::filesystem::path& input : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(input.filename().string());
    std::string bytes = testsupport::ReadAll(input.string());
    for (const MetadataFields& metadata : {CorePropertiesFields(bytes, RegionalFormats{}, kJapan),
                                           OpenDocumentMetaFields(bytes, RegionalFormats{}, 0)}) {
      if (metadata.error.empty()) {
        std::string line = JoinRecordLine(metadata.fields);
        EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 11);
      } else {
        EXPECT_NE(metadata.error.find("行目"), std::string::npos);
      }
    }
    std::string error;
    CorePropertiesPartName(bytes, error);
    ++replayed;
  }
  EXPECT_GE(replayed, 5);
}

// A source of file starts and packages from tables.
class FakeNewerSource : public NewerFormatSource {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, FakePackage> packages;

  FileStart ReadFileStart(const std::string& path, std::size_t maxBytes) override {
    FileStart start;
    auto it = files.find(path);
    if (it == files.end()) {
      return start;
    }
    start.opened = true;
    start.bytes = it->second.substr(0, maxBytes);
    start.wholeFile = it->second.size() <= maxBytes;
    start.fileSize = it->second.size();
    return start;
  }
  std::string ReadFileRange(const std::string& path, std::uint64_t offset,
                            std::size_t size) override {
    auto it = files.find(path);
    if (it == files.end() || offset >= it->second.size()) {
      return {};
    }
    return it->second.substr(static_cast<std::size_t>(offset), size);
  }
  std::unique_ptr<DocumentPackage> OpenPackage(const std::string& path) override {
    auto it = packages.find(path);
    return it == packages.end() ? nullptr : std::make_unique<FakePackage>(it->second);
  }
};

TEST(NewerFormatReader, TheContentDecidesNotTheName) {
  FakeNewerSource source;
  source.files["/f/word.doc"] = std::string("PK\x03\x04", 4) + "rest";
  source.packages["/f/word.doc"] = Docx("<dc:title>really docx</dc:title>");
  source.files["/f/text.odt"] = "{\\rtf1\\ansi{\\info{\\title really rtf}}}";
  source.files["/f/zip.docx"] = std::string("PK\x03\x04", 4);  // no central directory
  source.files["/f/plain.docx"] = "just text";
  source.files["/f/short.rtf"] = "{\\rt";
  NewerFormatReader reader(source, RegionalFormats{}, kJapan);

  NewerFormatReader::Outcome docx = reader.Read("/f/word.doc", "word.doc");
  EXPECT_EQ(docx.kind, NewerFormatReader::Outcome::Kind::Read);
  EXPECT_EQ(Fields(docx.line)[1], "really docx");
  EXPECT_EQ(Fields(docx.line)[0], "word.doc");

  NewerFormatReader::Outcome rtf = reader.Read("/f/text.odt", "text.odt");
  EXPECT_EQ(rtf.kind, NewerFormatReader::Outcome::Kind::Read);
  EXPECT_EQ(Fields(rtf.line)[1], "really rtf");

  NewerFormatReader::Outcome zip = reader.Read("/f/zip.docx", "zip.docx");
  EXPECT_EQ(zip.kind, NewerFormatReader::Outcome::Kind::Damaged);
  EXPECT_NE(zip.damage.find("ZIP"), std::string::npos);

  // An information group past the first read, behind a long font table.
  source.files["/f/long.rtf"] =
      "{\\rtf1{\\fonttbl" + std::string(200000, ' ') + "}{\\info{\\author far}}}";
  NewerFormatReader::Outcome far = reader.Read("/f/long.rtf", "long.rtf");
  EXPECT_EQ(far.kind, NewerFormatReader::Outcome::Kind::Read);
  EXPECT_EQ(Fields(far.line)[4], "far");

  // A flat OpenDocument file, whatever its name.
  source.files["/f/flat.xml"] =
      "<?xml version=\"1.0\"?><office:document "
      "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><office:meta><dc:title>flat</dc:title>"
      "</office:meta></office:document>";
  NewerFormatReader::Outcome flat = reader.Read("/f/flat.xml", "flat.xml");
  EXPECT_EQ(flat.kind, NewerFormatReader::Outcome::Kind::Read);
  EXPECT_EQ(Fields(flat.line)[1], "flat");

  for (const char* path : {"/f/plain.docx", "/f/short.rtf", "/f/missing.docx"}) {
    EXPECT_EQ(reader.Read(path, "x").kind, NewerFormatReader::Outcome::Kind::Unsupported) << path;
  }
}

// A PDF source that names what it was asked for.
class FakePdfSource : public PdfInformationSource {
 public:
  PdfDocumentInformation ReadPdfInformation(const std::string& path) override {
    PdfDocumentInformation info;
    info.status = PdfDocumentInformation::Status::Read;
    info.title = path;
    return info;
  }
};

TEST(NewerFormatReader, PdfFilesAreFoundByTheirHeaderWhenAPdfSourceIsGiven) {
  FakeNewerSource source;
  source.files["/f/plain.pdf"] = "%PDF-1.7\n...";
  source.files["/f/late.pdf"] = std::string(600, '\0') + "%PDF-1.4\n";
  source.files["/f/too-late.pdf"] = std::string(1100, ' ') + "%PDF-1.4\n";
  source.files["/f/named.pdf"] = "not a pdf at all";
  FakePdfSource pdf;
  NewerFormatReader reader(source, RegionalFormats{}, kJapan, &pdf);
  for (const char* path : {"/f/plain.pdf", "/f/late.pdf"}) {
    NewerFormatReader::Outcome outcome = reader.Read(path, "x.pdf");
    ASSERT_EQ(outcome.kind, NewerFormatReader::Outcome::Kind::Read) << path;
    EXPECT_EQ(Fields(outcome.line)[1], path);
  }
  for (const char* path : {"/f/too-late.pdf", "/f/named.pdf"}) {
    EXPECT_EQ(reader.Read(path, "x.pdf").kind, NewerFormatReader::Outcome::Kind::Unsupported)
        << path;
  }
  // Without a PDF source, a PDF file is not one the reader knows.
  NewerFormatReader withoutPdf(source, RegionalFormats{}, kJapan);
  EXPECT_EQ(withoutPdf.Read("/f/plain.pdf", "x.pdf").kind,
            NewerFormatReader::Outcome::Kind::Unsupported);
}

// A password-protected OpenDocument file keeps meta.xml encrypted (or the
// whole package, in newer versions): its manifest says so, and the reader
// says so rather than naming an XML fault.
TEST(PackageMetadata, EncryptedOpenDocumentMetadataIsPasswordProtected) {
  auto manifest = [](const std::string& path, bool encrypted) {
    return "<?xml version=\"1.0\"?><manifest:manifest "
           "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\">"
           "<manifest:file-entry manifest:full-path=\"/\" manifest:media-type=\"x\"/>"
           "<manifest:file-entry manifest:full-path=\"" +
           path + "\" manifest:media-type=\"text/xml\">" +
           (encrypted ? "<manifest:encryption-data manifest:checksum-type=\"SHA1\"/>" : "") +
           "</manifest:file-entry></manifest:manifest>";
  };
  FakePackage locked = Odt("");
  locked.parts["meta.xml"] = "\x8F\x12\xC3 not xml at all";
  locked.parts["META-INF/manifest.xml"] = manifest("meta.xml", true);
  PackageRecord record = Read(locked);
  EXPECT_TRUE(record.recognised);
  EXPECT_TRUE(record.passwordProtected);
  EXPECT_EQ(record.line, "");
  EXPECT_EQ(record.damage, "");

  FakePackage wholly = Odt("");
  wholly.parts.erase("meta.xml");
  wholly.parts["META-INF/manifest.xml"] = manifest("encrypted-package", true);
  EXPECT_TRUE(Read(wholly).passwordProtected);

  // Content encrypted but not the metadata: read as usual, manifest unread.
  FakePackage contentOnly = Odt("<dc:title>open</dc:title>");
  contentOnly.parts["META-INF/manifest.xml"] = manifest("content.xml", true);
  record = Read(contentOnly);
  EXPECT_FALSE(record.passwordProtected);
  EXPECT_EQ(Fields(record.line)[1], "open");
  EXPECT_EQ(std::count(contentOnly.asked.begin(), contentOnly.asked.end(), "META-INF/manifest.xml"),
            0);
  // A broken meta.xml the manifest does not encrypt stays damaged.
  FakePackage broken = Odt("");
  broken.parts["meta.xml"] = "<office:document-meta>";
  broken.parts["META-INF/manifest.xml"] = manifest("meta.xml", false);
  record = Read(broken);
  EXPECT_FALSE(record.passwordProtected);
  EXPECT_NE(record.damage.find("meta.xml"), std::string::npos);
}

// A flat OpenDocument file is one XML document; only its head up to the end
// of office:meta is parsed, so the rest may be huge or cut short.
TEST(PackageMetadata, FlatOpenDocumentFilesAreReadUpToTheirMetadata) {
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document "
      "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
      "xmlns:meta=\"urn:oasis:names:tc:opendocument:xmlns:meta:1.0\" "
      "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">";
  const std::string meta =
      "<office:meta><dc:title>表計算</dc:title><meta:initial-creator>Ann</meta:initial-creator>"
      "<meta:creation-date>2024-03-04T05:06:07</meta:creation-date></office:meta>";
  auto read = [](const std::string& bytes, bool whole) {
    return ReadFlatOpenDocumentRecord(bytes, whole, "a.fods", RegionalFormats{}, kJapan);
  };
  PackageRecord whole = read(head + meta + "<office:body/></office:document>", true);
  ASSERT_TRUE(whole.recognised);
  EXPECT_EQ(whole.line, "a.fods;表計算;;;Ann;;;;;;2024/03/04 5:06:07;");
  // Cut short after the metadata (a file over the limit): the same.
  EXPECT_EQ(read(head + meta + "<office:body><text:p>unfin", false).line, whole.line);
  // No metadata in what was read of a long file: the name alone, and said.
  PackageRecord beyond = read(head + "<office:body><x>", false);
  EXPECT_EQ(beyond.line, "a.fods;;;;;;;;;;;");
  EXPECT_EQ(beyond.leftOut, FlatMetadataBeyondMessage());
  EXPECT_EQ(FlatMetadataBeyondMessage(), "文書情報が先頭の 4 MiB にないため読み取りませんでした");
  EXPECT_EQ(whole.leftOut, "");
  // Broken within a whole file: damaged, naming the file.
  PackageRecord broken = read(head + "<office:meta><dc:title>x</office:meta>", true);
  EXPECT_NE(broken.damage.find("a.fods"), std::string::npos);
  // Other XML, HTML and text are not flat OpenDocument files.
  EXPECT_FALSE(
      read("<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\"/>", true).recognised);
  EXPECT_FALSE(read("<html><body><p>Word web page</body></html>", true).recognised);
  EXPECT_TRUE(LooksLikeXml("<?xml ve"));
  EXPECT_TRUE(LooksLikeXml("\xEF\xBB\xBF<?xml"));
  EXPECT_FALSE(LooksLikeXml("PK\x03\x04"));
  EXPECT_FALSE(LooksLikeXml(""));
}

// Every reader's record is held to the field limit: a package's title of
// megabytes, an RTF author of megabytes.
TEST(NewerFormatReader, LongValuesOfEveryFormatAreCutToTheLimit) {
  std::string huge(2000000, 'x');
  fakes::FakeSource compound;
  SummaryStream notCompound = fakes::FailedOpen(kSTG_E_FILEALREADYEXISTS);
  compound.files["/f/long.docx"] = notCompound;
  compound.files["/f/long.rtf"] = notCompound;
  FakeNewerSource source;
  source.files["/f/long.docx"] = std::string("PK\x03\x04", 4) + "rest";
  source.packages["/f/long.docx"] = Docx("<dc:title>" + huge + "</dc:title>");
  // (RTF is read up to 1 MiB.)
  source.files["/f/long.rtf"] = "{\\rtf1{\\info{\\author " + huge.substr(0, 500000) + "}}}";
  fakes::RecordingReporter reporter;
  DocumentReader reader(compound, reporter, RegionalFormats{}, kJapan);
  reader.ReadNewerFormats(source);
  EXPECT_EQ(Fields(reader.ReadDocumentRecord("/f/long.docx"))[1],
            std::string(kRecordFieldLimit, 'x'));
  EXPECT_EQ(Fields(reader.ReadDocumentRecord("/f/long.rtf"))[4],
            std::string(kRecordFieldLimit, 'x'));
  EXPECT_EQ(reporter.cut, (std::vector<std::string>{"/f/long.docx", "/f/long.rtf"}));
}

}  // namespace
}  // namespace catalogue
