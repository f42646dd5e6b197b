// quillmark_cli with and without --all-formats, on a folder of every kind.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <random>

#include "tests/support/CompoundFileWriter.h"
#include "tests/support/PackageWriter.h"
#include "tests/support/PdfWriter.h"
#include "tests/support/PropertySetBuilder.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::TempDir;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

Result RunCli(const std::string& args) {
  TempDir io;
  std::string command = std::string("TZ=UTC '") + QUILL_CLI + "' " + args + " >'" + io.File("out") +
                        "' 2>'" + io.File("err") + "' </dev/null";
  int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testsupport::ReadAll(io.File("out")),
          testsupport::ReadAll(io.File("err"))};
}

struct MixedFolder {
  TempDir dir;
  MixedFolder() {
    testsupport::WriteSummaryDocument(
        dir.File("a.doc"), testsupport::PropertySetBuilder().CodePage(932).Lpstr(2, "A").Build());
    testsupport::WriteZip(dir.File("b.docx"),
                          testsupport::DocxParts(testsupport::CorePropertiesXml(
                              "<dc:title>B</dc:title>"
                              "<dcterms:modified>2024-05-06T07:08:09Z</dcterms:modified>")));
    testsupport::WriteZip(
        dir.File("c.odt"),
        testsupport::OdtParts(testsupport::OpenDocumentMetaXml("<dc:title>C</dc:title>")));
    dir.Write("d.rtf", "{\\rtf1{\\info{\\title D}}}");
    dir.Write("e.ott", "not a document");
    dir.Write("f.txt", "{\\rtf1{\\info{\\title never listed}}}");
    testsupport::PdfContent pdf;
    pdf.information = {{"Title", "G"}, {"CreationDate", "D:20240506070809Z"}};
    dir.Write("g.pdf", testsupport::MakePdf(pdf));
  }
  std::string Path() const { return "'" + dir.path() + "'"; }
};

TEST(CliFormats, ScanListsAndReadsTheNewerFormatsOnlyWhenAsked) {
  MixedFolder folder;
  Result classic = RunCli("scan " + folder.Path());
  EXPECT_EQ(classic.status, 0);
  EXPECT_EQ(classic.out, "a.doc;A;;;;;;;;;;\r\n\r\n");  // a.doc and d.rtf
  EXPECT_EQ(classic.err, folder.dir.File("d.rtf") + ": 未対応ファイルです\n");

  Result all = RunCli("scan --all-formats " + folder.Path());
  EXPECT_EQ(all.status, 0);
  EXPECT_EQ(all.out,
            "a.doc;A;;;;;;;;;;\r\n"
            "b.docx;B;2024/05/06 7:08:09;;;;;;;;;\r\n"
            "c.odt;C;;;;;;;;;;\r\n"
            "d.rtf;D;;;;;;;;;;\r\n"
            "\r\n"  // e.ott
            "g.pdf;G;;;;;;;;;2024/05/06 7:08:09;\r\n");
  EXPECT_EQ(all.err, folder.dir.File("e.ott") + ": 未対応ファイルです\n");
}

TEST(CliFormats, ReadTakesTheOptionAnywhereAndSaysWhyADocumentIsUnreadable) {
  MixedFolder folder;
  folder.dir.Write("broken.docx", std::string("PK\x03\x04", 4) + "no directory");
  std::string docx = folder.dir.File("b.docx");
  std::string broken = folder.dir.File("broken.docx");
  EXPECT_EQ(RunCli("read '" + docx + "'").status, 1);
  Result r = RunCli("read '" + docx + "' --all-formats '" + broken + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "b.docx;B;2024/05/06 7:08:09;;;;;;;;;\r\n\r\n");
  EXPECT_EQ(r.err.rfind(broken + ": 文書情報を読み取れません ZIP", 0), 0u) << r.err;
  EXPECT_EQ(RunCli("read --all-formats '" + docx + "'").status, 0);
}

// Damaged packages and PDF files (a few bits flipped in each) give the
// program's messages and nothing else: no library's own complaint reaches
// stderr.
TEST(CliFormats, DamagedPackagesAndPdfFilesGiveOnlyTheProgramsMessages) {
  TempDir dir;
  std::string docx = dir.File("source.docx");
  testsupport::WriteZip(docx, testsupport::DocxParts(testsupport::CorePropertiesXml(
                                  "<dc:title>T</dc:title>"
                                  "<dcterms:modified>2024-05-06T07:08:09Z</dcterms:modified>")));
  std::string odt = dir.File("source.odt");
  testsupport::WriteZip(odt, testsupport::OdtParts(testsupport::OpenDocumentMetaXml(
                                 "<dc:title>O</dc:title><meta:creation-date>"
                                 "2024-05-06T07:08:09</meta:creation-date>")));
  testsupport::PdfContent pdf;
  pdf.information = {{"Title", "P"}, {"ModDate", "D:20240506070809Z"}};
  pdf.xmp = testsupport::XmpPacket("X", "S", "A", "2024-05-06T07:08:09Z", "");
  const char* extensions[] = {".docx", ".odt", ".pdf"};
  std::string sources[] = {testsupport::ReadAll(docx), testsupport::ReadAll(odt),
                           testsupport::MakePdf(pdf)};
  TempDir damaged;
  std::mt19937 random(12345);
  for (int i = 0; i < 600; ++i) {
    std::string bytes = sources[i % 3];
    for (int flips = 1 + static_cast<int>(random() % 8); flips > 0; --flips) {
      bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
    }
    damaged.Write("d" + std::to_string(i) + extensions[i % 3], bytes);
  }
  Result r = RunCli("scan --all-formats '" + damaged.path() + "'");
  EXPECT_EQ(r.status, 0);
  std::size_t start = 0;
  while (start < r.err.size()) {
    std::size_t end = r.err.find('\n', start);
    std::string line = r.err.substr(start, end - start);
    ASSERT_EQ(line.rfind(damaged.path() + "/d", 0), 0u) << line;
    start = end == std::string::npos ? r.err.size() : end + 1;
  }
}

}  // namespace
