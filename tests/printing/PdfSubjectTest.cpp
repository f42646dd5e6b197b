// A PDF's document information given a subject by an incremental update:
// the rest of the dictionary kept, the trailer pointing at the new one.

#include "printing/core/PdfSubject.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace printing {
namespace {

// A file laid out as the PDF writer lays it out: a catalogue and an
// information dictionary, one cross-reference table.
std::string WriterLikePdf(const std::string& information) {
  std::string pdf = "%PDF-1.4\n";
  std::size_t catalogue = pdf.size();
  pdf += "1 0 obj\n<< /Type /Catalog >>\nendobj\n";
  std::size_t info = pdf.size();
  pdf += "2 0 obj\n<<\n" + information + ">>\nendobj\n";
  std::size_t xref = pdf.size();
  char entries[64];
  std::snprintf(entries, sizeof entries, "%010zu 00000 n \n%010zu 00000 n \n", catalogue, info);
  pdf += std::string("xref\n0 3\n0000000000 65535 f \n") + entries +
         "trailer\n<< /Size 3 /Root 1 0 R /Info 2 0 R >>\nstartxref\n" + std::to_string(xref) +
         "\n%%EOF\n";
  return pdf;
}

TEST(PdfSubject, TheSubjectGoesIntoACopyOfTheInformationTheTrailerNames) {
  std::string pdf = WriterLikePdf("/Title (Report)\n/Subject (old \\) one)\n/Producer (Qt)\n");
  std::string update = SubjectUpdate(pdf, "/docs/報告_é😀");
  ASSERT_FALSE(update.empty());
  EXPECT_NE(
      update.find("\n3 0 obj\n<<\n/Subject <FEFF002F0064006F00630073002F5831544A005F00E9D83DDE00>"),
      std::string::npos)
      << update;
  EXPECT_NE(update.find("/Title (Report)"), std::string::npos);
  EXPECT_NE(update.find("/Producer (Qt)"), std::string::npos);
  EXPECT_EQ(update.find("old"), std::string::npos);
  EXPECT_NE(update.find("/Size 4\n/Root 1 0 R\n/Info 3 0 R\n/Prev " +
                        std::to_string(pdf.find("xref\n0 3"))),
            std::string::npos)
      << update;
  // The new object's offset is where it stands in the file.
  std::string whole = pdf + update;
  std::size_t object = whole.find("\n3 0 obj") + 1;
  char entry[32];
  std::snprintf(entry, sizeof entry, "3 1\n%010zu 00000 n", object);
  EXPECT_NE(update.find(entry), std::string::npos);
  // A second update reads the first's trailer.
  EXPECT_NE(SubjectUpdate(whole, "again").find("/Info 4 0 R"), std::string::npos);
}

TEST(PdfSubject, AFileLaidOutOtherwiseIsLeftAsItIs) {
  EXPECT_TRUE(SubjectUpdate(WriterLikePdf("/Title (x)\n"), "").empty());
  EXPECT_TRUE(SubjectUpdate("%PDF-1.4\nnothing else", "x").empty());
  std::string noInfo = WriterLikePdf("/Title (x)\n");
  noInfo.replace(noInfo.find(" /Info 2 0 R"), 12, "");
  EXPECT_TRUE(SubjectUpdate(noInfo, "x").empty());
  EXPECT_TRUE(SubjectUpdate(WriterLikePdf("/Nested << /A 1 >>\n"), "x").empty());
  std::string cut = WriterLikePdf("/Title (x)\n");
  EXPECT_TRUE(SubjectUpdate(cut.substr(0, cut.find("endobj", cut.find("2 0 obj"))), "x").empty());
}

}  // namespace
}  // namespace printing
