#include "catalogue/core/PdfInformation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/text/Utf8.h"
#include "tests/support/InputFiles.h"
#include "tests/support/PdfWriter.h"
#include "tests/support/TempDir.h"

namespace catalogue {
namespace {

constexpr std::int64_t kJapan = 9 * 3600;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = line.find(';', start)) != std::string::npos; start = end + 1) {
    fields.push_back(line.substr(start, end - start));
  }
  return fields;
}

TEST(PdfText, EachEncodingAPdfStringMayHaveReadsAsWritten) {
  // UTF-16BE after its mark, a character beyond the BMP and a language
  // escape included.
  EXPECT_EQ(PdfTextToUtf8(std::string("\xFE\xFF\x58\x31\x54\x4A", 6)), "報告");
  EXPECT_EQ(PdfTextToUtf8(std::string("\xFE\xFF\xD8\x42\xDF\xB7\x00\x1B"
                                      "ja\x00\x1B\x91\xCE",
                                      14)),
            "𠮷野");
  EXPECT_EQ(PdfTextToUtf8(std::string("\xFE\xFF", 2)), "");
  // UTF-8 with its mark (PDF 2.0) and without it (written by many tools).
  EXPECT_EQ(PdfTextToUtf8("\xEF\xBB\xBF"
                          "Caf\xC3\xA9"),
            "Café");
  EXPECT_EQ(PdfTextToUtf8("Jos\xC3\xA9 M\xC3\xBCller"), "José Müller");
  // Shift-JIS, as older Japanese programs wrote it.
  EXPECT_EQ(PdfTextToUtf8("\x95\xF1\x8D\x90\x8F\x91 2024"), "報告書 2024");
  // PDFDocEncoding: Latin-1 with typographic characters of its own.
  EXPECT_EQ(PdfTextToUtf8("R\xE9sum\xE9"), "Résumé");
  EXPECT_EQ(PdfTextToUtf8("\x8DQuoted\x8E \x84 \xA0"
                          "5 \x92"),
            "“Quoted” — €5 ™");
  EXPECT_EQ(PdfTextToUtf8("b a\x9F"), "b a?");  // undefined in the encoding
  // PDFDocEncoding whose accented letter and the next byte also make a
  // two-byte character of code page 932: in its user-defined rows (ø r,
  // F8 72; ñ a, F1 61), or a second-level kanji right after a Latin letter
  // (é e, E9 65), as accented Latin words give.
  EXPECT_EQ(PdfTextToUtf8("Bj\xF8rn"), "Bjørn");
  EXPECT_EQ(PdfTextToUtf8("Pe\xF1\x61lver"), "Peñalver");
  EXPECT_EQ(PdfTextToUtf8("Ren\xE9\x65"), "Renée");
  EXPECT_EQ(PdfTextToUtf8("H\xE9l\xE8ne"), "Hélène");
  // Japanese text keeps its reading: kana and first-level kanji, and a
  // second-level kanji that does not follow a Latin letter (馥 E9 65).
  EXPECT_EQ(PdfTextToUtf8("\x82\xA0\xE9\x65"), "あ馥");
  EXPECT_EQ(PdfTextToUtf8("A \xE9\x65"), "A 馥");
  EXPECT_EQ(PdfTextToUtf8("\x8B\x63\x8E\x96\x98\x5E"), "議事録");
  EXPECT_EQ(PdfTextToUtf8("plain"), "plain");
}

TEST(PdfDate, EveryFormADateMayTakeBecomesAW3cDate) {
  EXPECT_EQ(PdfDateToW3c("D:20231224153045+09'00'"), "2023-12-24T15:30:45+09:00");
  EXPECT_EQ(PdfDateToW3c("D:20231224153045-05'30"), "2023-12-24T15:30:45-05:30");
  EXPECT_EQ(PdfDateToW3c("D:20231224153045+09"), "2023-12-24T15:30:45+09:00");
  EXPECT_EQ(PdfDateToW3c("D:20231224153045Z"), "2023-12-24T15:30:45Z");
  EXPECT_EQ(PdfDateToW3c("D:20231224153045Z00'00'"), "2023-12-24T15:30:45Z");
  EXPECT_EQ(PdfDateToW3c("D:20231224153045"), "2023-12-24T15:30:45");
  EXPECT_EQ(PdfDateToW3c("D:202312241530"), "2023-12-24T15:30");
  EXPECT_EQ(PdfDateToW3c("D:2023122415"), "2023-12-24T15:00");
  EXPECT_EQ(PdfDateToW3c("D:20231224"), "2023-12-24");
  EXPECT_EQ(PdfDateToW3c("D:202312"), "2023-12");
  EXPECT_EQ(PdfDateToW3c("D:2023"), "2023");
  EXPECT_EQ(PdfDateToW3c(" 20231224153045+09'00' "), "2023-12-24T15:30:45+09:00");
  EXPECT_EQ(PdfDateToW3c("D:20231224153045+"), "2023-12-24T15:30:45");  // zone unknown
  for (const char* bad : {"", "D:", "D:20a", "D:202312241", "Mon Dec 24 2023",
                          "D:20231224153045+09'00'junk", "D:20231224153045X"}) {
    EXPECT_FALSE(PdfDateToW3c(bad).has_value()) << bad;
  }
}

TEST(Xmp, PropertiesAreFoundAsElementsOrAttributesInAnyDescription) {
  XmpProperties p = ReadXmpProperties(testsupport::XmpPacket(
      "表題 &amp; more", "概要", "山田太郎", "2023-12-24T15:30:45+09:00", "2024-01-02T03:04:05Z"));
  EXPECT_EQ(p.title, "表題 & more");  // the x-default item, not the first
  EXPECT_EQ(p.description, "概要");
  EXPECT_EQ(p.creators, "山田太郎");
  EXPECT_EQ(p.createDate, "2023-12-24T15:30:45+09:00");
  EXPECT_EQ(p.modifyDate, "2024-01-02T03:04:05Z");

  std::string bag =
      "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
      "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'><rdf:Description "
      "xmlns:dc='http://purl.org/dc/elements/1.1/' xmlns:pdf='http://ns.adobe.com/pdf/1.3/'>"
      "<dc:creator><rdf:Seq><rdf:li>A</rdf:li><rdf:li/><rdf:li>B</rdf:li></rdf:Seq></dc:creator>"
      "<dc:subject><rdf:Bag><rdf:li>one</rdf:li><rdf:li>two</rdf:li></rdf:Bag></dc:subject>"
      "<dc:title><rdf:Alt><rdf:li xml:lang='de'>Nur deutsch</rdf:li></rdf:Alt></dc:title>"
      "</rdf:Description></rdf:RDF></x:xmpmeta>";
  p = ReadXmpProperties(bag);
  EXPECT_EQ(p.creators, "A, B");
  EXPECT_EQ(p.keywords, "one, two");  // no pdf:Keywords: the subject bag
  EXPECT_EQ(p.title, "Nur deutsch");  // no x-default: the first language

  std::string keywords = bag;
  keywords.insert(keywords.find("<dc:creator>"), "<pdf:Keywords>k1; k2</pdf:Keywords>");
  EXPECT_EQ(ReadXmpProperties(keywords).keywords, "k1; k2");

  p = ReadXmpProperties("<x:xmpmeta><unclosed>");
  EXPECT_EQ(p.title, "");
  EXPECT_EQ(p.createDate, "");
}

PdfDocumentInformation ReadInformation() {
  PdfDocumentInformation info;
  info.status = PdfDocumentInformation::Status::Read;
  return info;
}

TEST(PdfRecord, TheDictionaryComesFirstAndTheMetadataFillsWhatItLacks) {
  PdfDocumentInformation info = ReadInformation();
  info.title = std::string("\xFE\xFF\x58\x31\x54\x4A\x00;A", 9);  // an odd byte is dropped
  info.author = "";                                               // empty: the metadata's
  info.keywords = "alpha beta";
  info.modDate = "D:20240305102030Z";
  info.creationDate = "not a date";  // unreadable: the metadata's
  info.xmp = testsupport::XmpPacket("xmp title", "xmp subject", "xmp author",
                                    "2023-12-24T15:30:45+09:00", "2020-01-01T00:00:00Z");
  std::vector<std::string> f = Fields(PdfRecord(info, "a.pdf", RegionalFormats{}, kJapan).line);
  ASSERT_EQ(f.size(), 11u);
  EXPECT_EQ(f[0], "a.pdf");
  EXPECT_EQ(f[1], "報告；");
  EXPECT_EQ(f[2], "2024/03/05 19:20:30");  // the dictionary's, in local time
  EXPECT_EQ(f[3], "xmp subject");
  EXPECT_EQ(f[4], "xmp author");
  EXPECT_EQ(f[5], "alpha beta");
  EXPECT_EQ(f[6], "");
  EXPECT_EQ(f[10], "2023/12/24 15:30:45");

  // Without a zone, a date is local time as written.
  PdfDocumentInformation local = ReadInformation();
  local.modDate = "D:20240305102030";
  EXPECT_EQ(Fields(PdfRecord(local, "b.pdf", RegionalFormats{}, kJapan).line)[2],
            "2024/03/05 10:20:30");

  PdfDocumentInformation locked;
  locked.status = PdfDocumentInformation::Status::PasswordProtected;
  PackageRecord record = PdfRecord(locked, "c.pdf", RegionalFormats{}, kJapan);
  EXPECT_TRUE(record.passwordProtected);
  EXPECT_EQ(record.line, "");

  PdfDocumentInformation damaged;
  damaged.damage = "broken";
  record = PdfRecord(damaged, "d.pdf", RegionalFormats{}, kJapan);
  EXPECT_EQ(record.damage, "broken");
  EXPECT_EQ(record.line, "");
}

TEST(PdfRecord, EveryKeptFuzzInputGivesElevenWellFormedFields) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "pdf-text";
  int replayed = 0;
  for (const std::filesystem::path& input : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(input.filename().string());
    std::string bytes = testsupport::ReadAll(input.string());
    PdfDocumentInformation info = ReadInformation();
    info.title = info.author = info.subject = info.keywords = bytes;
    info.creationDate = info.modDate = bytes;
    info.xmp = bytes;
    std::string line = PdfRecord(info, "f.pdf", RegionalFormats{}, kJapan).line;
    EXPECT_EQ(Fields(line).size(), 11u);
    EXPECT_EQ(platform::ValidUtf8(line), line);
    ++replayed;
  }
  EXPECT_GE(replayed, 5);
}

}  // namespace
}  // namespace catalogue
