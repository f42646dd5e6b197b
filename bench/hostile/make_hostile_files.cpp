// make_hostile_files FOLDER [COPIES]: the shapes of file that once froze a
// scan or the grid, each in a folder of its own under FOLDER:
//   emoji/     a Word 2007+ document titled with a million emoji (4.6 KB);
//   utf8-doc/  a classic document in code page 65001 whose title is 800 KB
//              of bytes UTF-8 cannot decode;
//   folders/   a ZIP archive named .docx holding 80,000 empty folders;
//   capped/    40 classic documents whose every text field is 5,400 bytes
//              that code page 932 cannot decode (cut to the field cap);
//   slow/      COPIES (default 400) copies of the emoji document, for
//              cancelling a scan in the middle of a file;
//   pdf-objstm/  a PDF whose information sits in an object stream that
//              inflates to 4 GiB (deflated three times over);
//   pdf-objstm-1g/ the same inflating to 1 GiB (deflated twice);
//   pdf-xref/  a PDF whose cross-reference stream claims 10^8 entries;
//   pdf-xref-bomb/ a PDF whose cross-reference stream holds 10^8 entries
//              deflated;
//   pdf-three/ three such PDFs in one folder, for the reading threads;
//   zip-lying/ a .docx whose classic end record says 3 entries and whose
//              ZIP64 record says 80,001;
//   huge-title/ a classic document whose title is 16 MB.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/CompoundFileWriter.h"
#include "tests/support/HostilePdfs.h"
#include "tests/support/PackageWriter.h"
#include "tests/support/PropertySetBuilder.h"

namespace {

using testsupport::Le16;
using testsupport::Le32;
using testsupport::Le64;

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

// A stored (uncompressed) ZIP of `count` empty folder entries, its entry
// count in the ZIP64 end records as an archiver writes more than 65,535.
std::string ZipOfFolders(int count) {
  std::string local;
  std::string central;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "d%06d/", i);
    std::string offset = Le32(static_cast<std::uint32_t>(local.size()));
    std::string common = Le16(0) + Le16(0) + Le16(0) + Le16(0) + Le32(0) + Le32(0) + Le32(0) +
                         Le16(static_cast<std::uint16_t>(std::string(name).size()));
    local += Le32(0x04034b50) + Le16(10) + common + Le16(0) + name;
    central += Le32(0x02014b50) + Le16(20) + Le16(10) + common + Le16(0) + Le16(0) + Le16(0) +
               Le16(0) + Le32(0x10) + offset + name;
  }
  std::uint64_t centralStart = local.size();
  std::uint64_t zip64Start = centralStart + central.size();
  std::string zip64 = Le32(0x06064b50) + Le64(44) + Le16(45) + Le16(45) + Le32(0) + Le32(0) +
                      Le64(count) + Le64(count) + Le64(central.size()) + Le64(centralStart);
  std::string locator = Le32(0x07064b50) + Le32(0) + Le64(zip64Start) + Le32(1);
  std::string end = Le32(0x06054b50) + Le16(0) + Le16(0) + Le16(0xFFFF) + Le16(0xFFFF) +
                    Le32(0xFFFFFFFF) + Le32(0xFFFFFFFF) + Le16(0);
  return local + central + zip64 + locator + end;
}

// A ZIP whose classic end record says 3 entries while its ZIP64 record,
// found through its locator, says 80,001 (of empty folders, all there).
std::string LyingZip() {
  std::string zip = ZipOfFolders(80001);
  std::size_t end = zip.size() - 22;
  zip.replace(end + 8, 4, Le16(3) + Le16(3));
  return zip;
}

std::string EmojiTitleDocx(const std::filesystem::path& path) {
  std::string emoji;
  for (int i = 0; i < 1000000; ++i) {
    emoji += "\xF0\x9F\x98\x80";
  }
  testsupport::WriteZip(
      path.string(),
      testsupport::DocxParts(testsupport::CorePropertiesXml("<dc:title>" + emoji + "</dc:title>")));
  return path.string();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: make_hostile_files FOLDER [COPIES]\n", stderr);
    return 2;
  }
  std::filesystem::path root = argv[1];
  int copies = argc > 2 ? std::atoi(argv[2]) : 400;
  try {
    for (const char* folder :
         {"emoji", "utf8-doc", "folders", "capped", "slow", "pdf-objstm", "pdf-objstm-1g",
          "pdf-xref", "pdf-xref-bomb", "pdf-three", "zip-lying", "huge-title"}) {
      std::filesystem::create_directories(root / folder);
    }
    const std::string objectStreamBomb =
        testsupport::ObjectStreamBombPdf(std::uint64_t{4} << 30, 3);
    WriteBytes(root / "pdf-objstm" / "bomb.pdf", objectStreamBomb);
    WriteBytes(root / "pdf-objstm-1g" / "bomb.pdf",
               testsupport::ObjectStreamBombPdf(std::uint64_t{1} << 30, 2));
    WriteBytes(root / "pdf-xref" / "claim.pdf", testsupport::CrossReferenceClaimPdf(100000000));
    const std::string xrefBomb = testsupport::CrossReferenceBombPdf(100000000);
    WriteBytes(root / "pdf-xref-bomb" / "bomb.pdf", xrefBomb);
    WriteBytes(root / "pdf-three" / "a.pdf", objectStreamBomb);
    WriteBytes(root / "pdf-three" / "b.pdf", xrefBomb);
    WriteBytes(root / "pdf-three" / "c.pdf", testsupport::CrossReferenceClaimPdf(100000000));
    WriteBytes(root / "zip-lying" / "lying.docx", LyingZip());
    testsupport::WriteSummaryDocument((root / "huge-title" / "title.doc").string(),
                                      testsupport::PropertySetBuilder()
                                          .CodePage(932)
                                          .Lpstr(2, std::string(16 << 20, 'a'))
                                          .Build());
    std::string emoji = EmojiTitleDocx(root / "emoji" / "emoji.docx");
    for (int i = 0; i < copies; ++i) {
      std::filesystem::copy_file(emoji, root / "slow" / ("emoji" + std::to_string(i) + ".docx"));
    }
    testsupport::WriteSummaryDocument((root / "utf8-doc" / "title.doc").string(),
                                      testsupport::PropertySetBuilder()
                                          .CodePage(-535)
                                          .Lpstr(2, std::string(800000, '\xFF'))
                                          .Build());
    WriteBytes(root / "folders" / "folders.docx", ZipOfFolders(80000));
    const std::string undecodable(5400, '\xFF');
    for (int i = 0; i < 40; ++i) {
      testsupport::PropertySetBuilder set;
      set.CodePage(932);
      for (std::uint32_t id : {2, 3, 4, 5, 6, 7, 8, 9, 18}) {
        set.Lpstr(id, undecodable);
      }
      testsupport::WriteSummaryDocument(
          (root / "capped" / ("capped" + std::to_string(i) + ".doc")).string(), set.Build());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_hostile_files: %s\n", e.what());
    return 1;
  }
  return 0;
}
