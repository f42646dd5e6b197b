#include "catalogue/core/PdfStructureStreams.h"

#include <gtest/gtest.h>

namespace catalogue {
namespace {

using Kind = PdfStructureStream::Kind;

TEST(PdfStructureStreams, FindsObjectAndCrossReferenceStreamsWithWhatTheyDeclare) {
  std::string pdf =
      "%PDF-1.5\n"
      "4 0 obj\n<< /Type /ObjStm /N 12 /First 40 /Filter /FlateDecode /Length 5 >>\nstream\n"
      "ABCDE\nendstream\nendobj\n"
      "5 0 obj\n<</Length 6 0 R/Filter[/ASCIIHexDecode/FlateDecode]/Type/XRef/Size 99"
      "/W[1 2 1]/Index[0 10 50 5]/DecodeParms<</Predictor 12/Columns 4>>"
      "/Note (a string with << and >> and stream) % a comment /Type /Other\n>>\r\nstream\r\n"
      "0102\nendstream\nendobj\n"
      "6 0 obj\n<< /Length 3 >>\nstream\nxyz\nendstream\nendobj\n";
  std::vector<PdfStructureStream> streams = FindPdfStructureStreams(pdf);
  ASSERT_EQ(streams.size(), 2u);
  EXPECT_EQ(streams[0].kind, Kind::Objects);
  EXPECT_EQ(streams[0].objects, 12u);
  EXPECT_EQ(streams[0].filters, std::vector<std::string>{"FlateDecode"});
  EXPECT_EQ(streams[0].data, "ABCDE");
  EXPECT_EQ(streams[1].kind, Kind::CrossReference);
  EXPECT_EQ(streams[1].filters, (std::vector<std::string>{"ASCIIHexDecode", "FlateDecode"}));
  EXPECT_EQ(streams[1].size, 99u);
  EXPECT_EQ(streams[1].entryWidth, 4u);
  EXPECT_EQ(streams[1].entries, 15u);    // from /Index, not /Size
  EXPECT_EQ(streams[1].data, "0102\n");  // an indirect /Length: up to "endstream"
}

TEST(PdfStructureStreams, LyingLengthsHugeNumbersAndCutFilesStayWithinTheFile) {
  std::string lying =
      "1 0 obj << /Type /XRef /Size 99999999999999999999999 /W [1 4 2] /Length 999999 >>\n"
      "stream\nshort";
  std::vector<PdfStructureStream> streams = FindPdfStructureStreams(lying);
  ASSERT_EQ(streams.size(), 1u);
  EXPECT_EQ(streams[0].data, "short");  // no "endstream": to the end of the file
  EXPECT_EQ(streams[0].size, UINT64_MAX);
  EXPECT_EQ(streams[0].entries, UINT64_MAX);
  for (std::string_view cut : {std::string_view("stream\n"), std::string_view(">>stream"),
                               std::string_view("<< /Type /ObjStm >>\nstream"),
                               std::string_view("endstream\nstream\n<<"), std::string_view("")}) {
    EXPECT_TRUE(FindPdfStructureStreams(cut).empty() ||
                FindPdfStructureStreams(cut)[0].data.size() <= cut.size());
  }
  // An unbalanced dictionary far back is not looked for beyond reach.
  std::string far = "<< /Type /ObjStm " + std::string(70000, ' ') + ">>\nstream\nx\nendstream";
  EXPECT_TRUE(FindPdfStructureStreams(far).empty());
}

TEST(PdfStructureStreams, TheTextFiltersDecode) {
  bool ok = false;
  EXPECT_EQ(DecodeAsciiHex("48 65 6c6C 6>", ok), std::string("Hell`"));
  EXPECT_TRUE(ok);
  DecodeAsciiHex("4G", ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(DecodeAscii85("87cURD]i,\"Ebo80~>", ok), "Hello World!");
  EXPECT_TRUE(ok);
  EXPECT_EQ(DecodeAscii85("zz", ok), std::string(8, '\0'));
  DecodeAscii85("s8W-\"", ok);  // beyond 2^32
  EXPECT_FALSE(ok);
  DecodeAscii85("87cURD]i,\"Ebo80a", ok);  // a group of one character
  EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace catalogue
