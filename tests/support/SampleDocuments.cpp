#include "tests/support/SampleDocuments.h"

#include <cstdint>
#include <cstdio>
#include <fstream>

#include "platform/text/Cp932.h"
#include "tests/support/CompoundFileWriter.h"
#include "tests/support/PackageWriter.h"
#include "tests/support/PdfWriter.h"
#include "tests/support/PropertySetBuilder.h"

namespace testsupport {

namespace {

std::string Sjis(const char* utf8) {
  return platform::Utf8ToCp932(utf8);
}

std::string Path(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

std::string NumberedName(int i, const char* extension) {
  char name[32];
  std::snprintf(name, sizeof name, "doc%05d%s", i, extension);
  return name;
}

PdfContent NumberedPdf(int i) {
  std::string number = std::to_string(i);
  PdfContent pdf;
  std::string title("\xFE\xFF\x65\x87\x66\xF8\x00\x20", 8);  // 文書 and a blank
  for (char c : number) {
    title += '\0';
    title += c;
  }
  pdf.information = {{"Title", title},
                     {"Author", "Yamada"},
                     {"Producer", "sample writer"},
                     {"CreationDate", "D:20200102090000+09'00'"},
                     {"ModDate", "D:20260304170500+09'00'"}};
  pdf.xmp = XmpPacket("Document " + number, "Subject " + number, "Yamada",
                      "2020-01-02T09:00:00+09:00", "2026-03-04T17:05:00+09:00");
  pdf.pages = 20;
  pdf.objectStreams = i % 2 == 1;
  return pdf;
}

}  // namespace

void WriteSampleDocuments(const std::string& folder) {
  WriteSummaryDocument(Path(folder, "企画書.doc"),
                       PropertySetBuilder()
                           .CodePage(932)
                           .Lpstr(2, Sjis("新製品企画書"))
                           .Lpstr(3, Sjis("2027年度 春"))
                           .Lpstr(4, Sjis("山田 太郎"))
                           .Lpstr(5, Sjis("企画、新製品"))
                           .Lpstr(6, Sjis("社内向けの下書きです"))
                           .Lpstr(7, "Normal.dot")
                           .Lpstr(8, Sjis("佐藤 花子"))
                           .Lpstr(9, "3")
                           .FileTime(12, FileTimeOfUtc(2026, 4, 1, 0, 30, 0))
                           .FileTime(13, FileTimeOfUtc(2026, 4, 3, 8, 5, 9))
                           .Lpstr(18, "Microsoft Word 8.0")
                           .Build());
  WriteSummaryDocument(Path(folder, "議事録_営業会議.doc"),
                       PropertySetBuilder()
                           .CodePage(932)
                           .Lpstr(2, Sjis("第12回 営業会議 議事録"))
                           .Lpstr(4, Sjis("鈴木 一郎"))
                           .Lpstr(8, Sjis("鈴木 一郎"))
                           .Lpstr(9, "12")
                           .FileTime(11, FileTimeOfUtc(2026, 5, 20, 2, 0, 0))
                           .FileTime(12, FileTimeOfUtc(2026, 5, 19, 6, 0, 0))
                           .FileTime(13, FileTimeOfUtc(2026, 5, 20, 1, 15, 42))
                           .Build());
  WriteSummaryDocument(Path(folder, "表計算メモ.doc"),
                       PropertySetBuilder()
                           .CodePage(-535)  // 65001 stored as a signed 16-bit value
                           .Lpstr(2, "集計表の説明 ～ 第1版")
                           .Lpstr(4, "高橋 次郎")
                           .FileTime(12, FileTimeOfUtc(2025, 12, 24, 15, 0, 0))
                           .FileTime(13, FileTimeOfUtc(2026, 1, 5, 9, 30, 0))
                           .Build());
  WriteSummaryDocument(Path(folder, "Annual Report.DOC"),
                       PropertySetBuilder()
                           .CodePage(1252)
                           .Lpstr(2, "Annual Report 2026")
                           .Lpstr(3, "Caf\xE9 sales")
                           .Lpstr(4, "J. Smith")
                           .Lpstr(9, "7")
                           .FileTime(12, FileTimeOfUtc(2026, 2, 1, 0, 0, 0))
                           .FileTime(13, FileTimeOfUtc(2026, 3, 31, 23, 59, 59))
                           .Build());
  WriteCompoundFile(Path(folder, "no-properties.wrd"), {{"WordDocument", std::string(64, '\0')}});
  std::ofstream(Path(folder, "memo.rtf"), std::ios::binary) << "{\\rtf1\\ansi memo}\r\n";
}

void WriteNumberedDocuments(const std::string& folder, int count) {
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "doc%05d.doc", i);
    std::string number = std::to_string(i);
    WriteSummaryDocument(
        Path(folder, name),
        PropertySetBuilder()
            .CodePage(932)
            .Lpstr(2, Sjis("文書 ") + number)
            .Lpstr(3, "Subject " + number)
            .Lpstr(4, Sjis("山田 太郎"))
            .Lpstr(8, Sjis("佐藤 花子"))
            .Lpstr(9, std::to_string(i % 17 + 1))
            .FileTime(12, FileTimeOfUtc(2020, 1 + i % 12, 1 + i % 28, 9, 0, 0))
            .FileTime(13, FileTimeOfUtc(2026, 1 + i % 12, 1 + i % 28, 17, i % 60, 0))
            .Build());
  }
}

void WriteNumberedPackages(const std::string& folder, int count) {
  // Parts of the sizes a word processor writes, so that opening the
  // archive costs what it costs on real documents.
  std::string filler;
  for (int i = 0; filler.size() < 24000; ++i) {
    filler += "<w:p><w:r><w:t>Paragraph " + std::to_string(i) + " of the sample.</w:t></w:r></w:p>";
  }
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "doc%05d.docx", i);
    std::string number = std::to_string(i);
    std::vector<NamedStream> parts = DocxParts(CorePropertiesXml(
        "<dc:title>\xE6\x96\x87\xE6\x9B\xB8 " + number + "</dc:title><dc:subject>Subject " +
        number +
        "</dc:subject><dc:creator>\xE5\xB1\xB1\xE7\x94\xB0</dc:creator>"
        "<cp:revision>" +
        std::to_string(i % 17 + 1) +
        "</cp:revision>"
        "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2020-01-02T09:00:00Z</dcterms:created>"
        "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2026-03-04T17:05:00Z</dcterms:modified>"));
    for (const char* part :
         {"word/styles.xml", "word/settings.xml", "word/fontTable.xml", "word/webSettings.xml",
          "word/theme/theme1.xml", "docProps/app.xml", "word/_rels/document.xml.rels"}) {
      parts.push_back({part, "<x>" + filler.substr(0, 4000) + "</x>"});
    }
    parts[2].second = "<w:document xmlns:w=\"urn:w\"><w:body>" + filler + "</w:body></w:document>";
    WriteZip(Path(folder, name), parts);
  }
}

void WriteNumberedPdfs(const std::string& folder, int count) {
  for (int i = 0; i < count; ++i) {
    std::ofstream(Path(folder, NumberedName(i, ".pdf")), std::ios::binary)
        << MakePdf(NumberedPdf(i));
  }
}

void WriteMixedDocuments(const std::string& folder, int count) {
  for (int i = 0; i < count; ++i) {
    std::string number = std::to_string(i);
    std::string title = "<dc:title>Document " + number + "</dc:title>";
    switch (i % 10) {
      case 0:
      case 9:
        WriteSummaryDocument(Path(folder, NumberedName(i, i % 10 == 0 ? ".doc" : ".xls")),
                             PropertySetBuilder()
                                 .CodePage(932)
                                 .Lpstr(2, Sjis("文書 ") + number)
                                 .Lpstr(4, Sjis("山田 太郎"))
                                 .FileTime(13, FileTimeOfUtc(2026, 1 + i % 12, 1, 17, 0, 0))
                                 .Build());
        break;
      case 1:
      case 2:
      case 3:
        WriteZip(Path(folder, NumberedName(i, i % 10 == 1   ? ".docx"
                                              : i % 10 == 2 ? ".xlsx"
                                                            : ".pptx")),
                 DocxParts(CorePropertiesXml(title)));
        break;
      case 4:
      case 5:
        WriteZip(Path(folder, NumberedName(i, i % 10 == 4 ? ".odt" : ".ods")),
                 OdtParts(OpenDocumentMetaXml(title)));
        break;
      case 6:
        std::ofstream(Path(folder, NumberedName(i, ".fodt")), std::ios::binary)
            << "<?xml version=\"1.0\"?><office:document "
               "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
               "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><office:meta>"
            << title << "</office:meta><office:body/></office:document>";
        break;
      case 7:
        std::ofstream(Path(folder, NumberedName(i, ".rtf")), std::ios::binary)
            << "{\\rtf1\\ansi{\\info{\\title Document " << number << "}}\\pard Body\\par}";
        break;
      default:
        std::ofstream(Path(folder, NumberedName(i, ".pdf")), std::ios::binary)
            << MakePdf(NumberedPdf(i));
    }
  }
}

void WriteNewerFormatSamples(const std::string& folder) {
  PdfContent handbook;
  handbook.information = {{"Title", "\xFE\xFF\x79\x3E\x54\xE1\x62\x4B\x5E\x33"},
                          {"Author", "\xFE\xFF\x7D\xCF\x52\xD9\x90\xE8"},
                          {"CreationDate", "D:20260401090000+09'00'"},
                          {"ModDate", "D:20260415183000+09'00'"}};
  handbook.xmp = XmpPacket("", "Employee handbook", "", "", "");
  handbook.pages = 2;
  std::ofstream(Path(folder, "handbook.pdf"), std::ios::binary) << MakePdf(handbook);
  WriteZip(Path(folder, "report.docx"),
           DocxParts(CorePropertiesXml(
               "<dc:title>\xE5\xB9\xB4\xE6\xAC\xA1\xE5\xA0\xB1\xE5\x91\x8A</dc:title>"
               "<dc:subject>Sales 2026</dc:subject><dc:creator>J. Smith</dc:creator>"
               "<cp:keywords>annual; sales</cp:keywords><cp:lastModifiedBy>A. Tanaka"
               "</cp:lastModifiedBy><cp:revision>12</cp:revision>"
               "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2026-01-05T00:30:00Z</dcterms:created>"
               "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2026-03-31T08:15:00Z"
               "</dcterms:modified>")));
  WriteZip(Path(folder, "minutes.odt"),
           OdtParts(OpenDocumentMetaXml(
               "<dc:title>\xE8\xAD\xB0\xE4\xBA\x8B\xE9\x8C\xB2</dc:title>"
               "<meta:initial-creator>\xE4\xBD\x90\xE8\x97\xA4</meta:initial-creator>"
               "<dc:creator>\xE9\x88\xB4\xE6\x9C\xA8</dc:creator>"
               "<meta:keyword>meeting</meta:keyword><meta:keyword>Q1</meta:keyword>"
               "<meta:editing-cycles>3</meta:editing-cycles>"
               "<meta:creation-date>2026-02-10T10:00:00</meta:creation-date>"
               "<dc:date>2026-02-12T16:45:30</dc:date>")));
  std::ofstream(Path(folder, "memo-info.rtf"), std::ios::binary)
      << "{\\rtf1\\ansi\\ansicpg932\\uc2 {\\info{\\title "
         "\\'8e\\'d0\\'93\\'e0\\'83\\'81\\'83\\'82}"
         "{\\author \\'8d\\'b2\\'93\\'a1}{\\operator \\'8d\\'b2\\'93\\'a1}"
         "{\\creatim\\yr2025\\mo12\\dy1\\hr9\\min30}{\\revtim\\yr2026\\mo1\\dy20"
         "\\hr18\\min5}{\\version4}}\\pard Body\\par}";
  WriteZip(Path(folder, "old-name.doc"),
           DocxParts(CorePropertiesXml("<dc:title>Saved as .doc</dc:title>"
                                       "<dc:creator>B. Lee</dc:creator>")));
}

namespace {

// UTF-16LE units of UTF-8 text, with a NUL unit.
std::string Utf16Le(const std::string& utf8) {
  std::u32string characters;
  for (std::size_t i = 0; i < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    characters += c;
    i += length;
  }
  std::string units;
  auto unit = [&](unsigned u) {
    units += static_cast<char>(u & 0xFF);
    units += static_cast<char>(u >> 8);
  };
  for (char32_t c : characters) {
    if (c > 0xFFFF) {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      unit(c);
    }
  }
  unit(0);
  return units;
}

// RTF text: ASCII as it is, every other character as \uN? (N signed 16-bit,
// a surrogate pair as two).
std::string RtfText(const std::string& utf8) {
  std::string units = Utf16Le(utf8);
  std::string rtf;
  for (std::size_t i = 0; i + 3 < units.size(); i += 2) {
    unsigned u =
        static_cast<unsigned char>(units[i]) | (static_cast<unsigned char>(units[i + 1]) << 8);
    if (u < 0x80) {
      rtf += static_cast<char>(u);
    } else {
      rtf += "\\u" + std::to_string(static_cast<int>(static_cast<std::int16_t>(u))) + "?";
    }
  }
  return rtf;
}

}  // namespace

void WriteUnicodeDocuments(const std::string& folder) {
  std::string title = kUnicodeTitle;
  std::string author = kUnicodeAuthor;
  WriteSummaryDocument(Path(folder, "cp1252.doc"), PropertySetBuilder()
                                                       .CodePage(1252)
                                                       .Lpstr(2, "R\xE9sum\xE9")
                                                       .Lpstr(4, "Jos\xE9 M\xFCller")
                                                       .Build());
  WriteSummaryDocument(Path(folder, "unicode.doc"), PropertySetBuilder()
                                                        .CodePage(1200)
                                                        .LpstrNoNul(2, Utf16Le(title))
                                                        .LpstrNoNul(4, Utf16Le(author))
                                                        .Build());
  WriteZip(Path(folder, "unicode.docx"),
           DocxParts(CorePropertiesXml("<dc:title>" + title + "</dc:title><dc:creator>" + author +
                                       "</dc:creator>")));
  WriteZip(Path(folder, "unicode.odt"),
           OdtParts(OpenDocumentMetaXml("<dc:title>" + title + "</dc:title><meta:initial-creator>" +
                                        author + "</meta:initial-creator>")));
  std::ofstream(Path(folder, "unicode.rtf"), std::ios::binary)
      << "{\\rtf1\\ansi\\ansicpg1252 {\\info{\\title " << RtfText(title) << "}{\\author "
      << RtfText(author) << "}}\\pard Body\\par}";
}

}  // namespace testsupport
