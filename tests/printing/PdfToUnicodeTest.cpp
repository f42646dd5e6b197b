// Characters a PDF's fonts draw unsaid, added to their ToUnicode maps by an
// update appended to the file, the maps found through qpdf whether
// compressed or not; a file that does not read is left as it is.

#include "printing/pdf/QpdfToUnicode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/PdfWriter.h"

namespace printing {
namespace {

// A PDF as the writer makes it: numbered objects, a cross-reference table
// from object 0 and a trailer. `objects` are the bodies of objects 1, 2, ...
std::string MakePdf(const std::vector<std::string>& objects) {
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    char entry[32];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  pdf += "trailer\n<<\n/Size " + std::to_string(objects.size() + 1) +
         " \n/Info 1 0 R\n/Root 2 0 R\n>>\nstartxref\n" + std::to_string(xref) + " \n%%EOF\n";
  return pdf;
}

std::string Stream(const std::string& data) {
  return "<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

const std::string kMap =
    "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
    "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
    "1 beginbfrange\n<0000> <0000> <0000>\nendbfrange\nendcmap\n"
    "CMapName currentdict /CMap defineresource pop\nend\nend\n";

std::string Type0(const std::string& name, int toUnicode) {
  return "<< /Type /Font\n/Subtype /Type0\n/BaseFont /" + name +
         "\n/Encoding /Identity-H\n/DescendantFonts [9 0 R]\n/ToUnicode " +
         std::to_string(toUnicode) + " 0 R>>";
}

// The object `number` as the newest cross-reference section finds it.
std::string NewestObject(const std::string& pdf, int number) {
  std::size_t start = std::stoul(pdf.substr(pdf.rfind("startxref") + 10));
  std::string xref = pdf.substr(start, pdf.find("trailer", start) - start);
  std::string key = "\n" + std::to_string(number) + " 1\n";
  std::size_t at = xref.find(key);
  if (at == std::string::npos) {
    return {};
  }
  std::size_t offset = std::stoul(xref.substr(at + key.size(), 10));
  return pdf.substr(offset, pdf.find("endobj", offset) - offset);
}

TEST(PdfToUnicode, CharactersBeyondTheBmpAreAddedToTheirFontsMaps) {
  std::string pdf =
      MakePdf({"<< /Producer (Qt) >>", "<< /Type /Catalog >>", Type0("NotoSansCJKjp-Regular", 4),
               Stream(kMap), Type0("IPAMincho", 6), Stream(kMap)});
  MissingCharacters missing;
  missing["NotoSansCJKjp-Regular"] = {{1, U'\U00020BB7'}, {3, U'\U0001F600'}};  // 𠮷, an emoji
  missing["NoSuchFont"] = {{1, U'\U00020BB7'}};
  std::string update = ToUnicodeUpdate(pdf, missing);
  ASSERT_FALSE(update.empty());
  std::string updated = pdf + update;
  EXPECT_EQ(updated.substr(updated.size() - 6), "%%EOF\n");
  std::string map = NewestObject(updated, 4);
  EXPECT_NE(map.find("2 beginbfchar\n<0001> <D842DFB7>\n<0003> <D83DDE00>\nendbfchar\nendcmap"),
            std::string::npos)
      << map;
  std::string added = "2 beginbfchar\n<0001> <D842DFB7>\n<0003> <D83DDE00>\nendbfchar\n";
  EXPECT_NE(map.find("<< /Length " + std::to_string(kMap.size() + added.size()) + " >>"),
            std::string::npos);
  EXPECT_EQ(NewestObject(updated, 6), "");  // the other font's map is not touched
  std::string trailer = updated.substr(updated.rfind("trailer"));
  EXPECT_NE(trailer.find("/Size 7\n/Root 2 0 R\n/Info 1 0 R\n/Prev " +
                         std::to_string(pdf.rfind("\nxref\n") + 1)),
            std::string::npos)
      << trailer;
}

TEST(PdfToUnicode, ManyCharactersComeInBlocksOfAHundred) {
  std::string pdf = MakePdf({"<< >>", "<< /Type /Catalog >>", Type0("Emoji", 4), Stream(kMap)});
  MissingCharacters missing;
  for (unsigned cid = 1; cid <= 150; ++cid) {
    missing["Emoji"][cid] = static_cast<char32_t>(0x1F000 + cid);
  }
  std::string map = NewestObject(pdf + ToUnicodeUpdate(pdf, missing), 4);
  EXPECT_NE(map.find("100 beginbfchar\n<0001> <D83CDC01>"), std::string::npos);
  EXPECT_NE(map.find("50 beginbfchar\n<0065> <D83CDC65>"), std::string::npos);
}

TEST(PdfToUnicode, AFileLaidOutOtherwiseIsLeftAsItIs) {
  MissingCharacters missing;
  missing["F"] = {{1, U'\U00020BB7'}};
  std::string good = MakePdf({"<< >>", "<< >>", Type0("F", 4), Stream(kMap)});
  EXPECT_FALSE(ToUnicodeUpdate(good, missing).empty());
  EXPECT_EQ(ToUnicodeUpdate(good, {}), "");
  // A map that is no stream, no trailer, a table that points outside the
  // file, a font whose name only starts alike, a map that does not inflate.
  std::string broken = MakePdf({"<< >>", "<< >>", Type0("F", 4),
                                "<< /Length 3 /Filter /FlateDecode >>\nstream\nxyz\nendstream"});
  EXPECT_EQ(ToUnicodeUpdate(broken, missing), "");
  EXPECT_EQ(ToUnicodeUpdate(MakePdf({"<< >>", "<< >>", Type0("F", 4), "<< >>"}), missing), "");
  EXPECT_EQ(ToUnicodeUpdate(good.substr(0, good.find("trailer")), missing), "");
  std::string outside = good;  // the map's entry, the fourth after the free one
  std::size_t entry = outside.find("65535 f \n") + 9 + 3 * 20;
  outside.replace(entry, 10, "9999999999");
  EXPECT_EQ(ToUnicodeUpdate(outside, missing), "");
  std::string shortTable = good;
  shortTable.replace(shortTable.find("xref\n0 5"), 9, "xref\n0 3");
  EXPECT_EQ(ToUnicodeUpdate(shortTable, missing), "");
  EXPECT_EQ(ToUnicodeUpdate(MakePdf({"<< >>", "<< >>", Type0("FX", 4), Stream(kMap)}), missing),
            "");
  EXPECT_EQ(ToUnicodeUpdate("", missing), "");
  EXPECT_EQ(ToUnicodeUpdate("startxref\n99999999999999999999\n", missing), "");
}

// A writer that compresses its maps (as a later Qt may) is read the same:
// the map is inflated, the characters added, and the new map written.
TEST(PdfToUnicode, ACompressedMapIsReadThroughItsFilter) {
  std::string deflated = testsupport::Deflated(kMap);
  std::string pdf = MakePdf({"<< >>", "<< /Type /Catalog >>", Type0("F", 4),
                             "<< /Length " + std::to_string(deflated.size()) +
                                 " /Filter /FlateDecode >>\nstream\n" + deflated + "\nendstream"});
  MissingCharacters missing;
  missing["F"] = {{2, U'\U00020BB7'}};
  std::string map = NewestObject(pdf + ToUnicodeUpdate(pdf, missing), 4);
  EXPECT_NE(map.find("1 beginbfchar\n<0002> <D842DFB7>\nendbfchar\nendcmap"), std::string::npos)
      << map;
  EXPECT_NE(map.find("beginbfrange\n<0000> <0000> <0000>"), std::string::npos);
}

}  // namespace
}  // namespace printing
