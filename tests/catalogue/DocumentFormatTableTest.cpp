// The table of document formats: each extension in one row, the classic
// mask unchanged, signatures told apart, and the README's list in step.

#include "catalogue/core/DocumentFormatTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "catalogue/core/FolderScan.h"

namespace catalogue {
namespace {

TEST(DocumentFormatTable, EachExtensionHasOneRowAndTheClassicMaskStaysAsItWas) {
  std::set<std::string_view> seen;
  std::set<std::string_view> classic;
  for (const DocumentFormatRow& row : DocumentFormatTable()) {
    EXPECT_FALSE(row.extensions.empty()) << row.name;
    for (std::string_view extension : row.extensions) {
      EXPECT_TRUE(seen.insert(extension).second) << extension << " in two rows";
      EXPECT_EQ(extension.front(), '.');
      if (row.listedWith == DocumentFormats::Classic) {
        classic.insert(extension);
      }
      EXPECT_TRUE(MatchesDocumentMask("a" + std::string(extension), DocumentFormats::WithNewer));
      EXPECT_EQ(MatchesDocumentMask("A" + std::string(extension), DocumentFormats::Classic),
                row.listedWith == DocumentFormats::Classic);
    }
  }
  EXPECT_EQ(classic, (std::set<std::string_view>{".doc", ".wrd", ".rtf"}));
  EXPECT_EQ(NewerFormatExtensions().size() + classic.size(), seen.size());
}

TEST(DocumentFormatTable, SignaturesAreToldApartByTheFirstBytes) {
  const std::string compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  EXPECT_TRUE(HasSignature(Signature::CompoundFile, compound));
  EXPECT_FALSE(HasSignature(Signature::CompoundFile, compound.substr(0, 7)));
  EXPECT_TRUE(HasSignature(Signature::Zip, std::string("PK\x03\x04", 4)));
  EXPECT_FALSE(HasSignature(Signature::Zip, "PK"));
  EXPECT_TRUE(HasSignature(Signature::Rtf, "{\\rtf1"));
  EXPECT_FALSE(HasSignature(Signature::Rtf, "{\\rt"));
  EXPECT_TRUE(HasSignature(Signature::Xml, "<?xml"));
  EXPECT_TRUE(HasSignature(Signature::Pdf, "%PDF-1.7"));
  for (Signature other :
       {Signature::CompoundFile, Signature::Zip, Signature::Rtf, Signature::Xml}) {
    EXPECT_FALSE(HasSignature(other, "%PDF-1.7"));
  }
}

TEST(DocumentFormatTable, TheReadmeListsEveryExtension) {
  std::ifstream in(std::string(QUILL_SOURCE_DIR) + "/README.md");
  ASSERT_TRUE(in);
  std::string readme((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const DocumentFormatRow& row : DocumentFormatTable()) {
    for (std::string_view extension : row.extensions) {
      EXPECT_NE(readme.find("`" + std::string(extension) + "`"), std::string::npos)
          << extension << " (" << row.name << ") is missing from the README's list";
    }
  }
}

}  // namespace
}  // namespace catalogue
