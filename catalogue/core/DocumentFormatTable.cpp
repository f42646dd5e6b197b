#include "catalogue/core/DocumentFormatTable.h"

#include "catalogue/core/PackageMetadata.h"
#include "catalogue/core/PdfInformation.h"

namespace catalogue {

const std::vector<DocumentFormatRow>& DocumentFormatTable() {
  using enum Signature;
  constexpr DocumentFormats kClassic = DocumentFormats::Classic;
  constexpr DocumentFormats kNewer = DocumentFormats::WithNewer;
  static const std::vector<DocumentFormatRow> table = {
      {"Word 97-2003", {".doc"}, kClassic, CompoundFile},
      {"Word (older)", {".wrd"}, kClassic, CompoundFile},
      {"RTF", {".rtf"}, kClassic, Rtf},
      {"Word 2007+", {".docx", ".docm", ".dotx", ".dotm"}, kNewer, Zip},
      {"OpenDocument text", {".odt", ".ott"}, kNewer, Zip},
      {"Excel 97-2003", {".xls", ".xlt"}, kNewer, CompoundFile},
      {"PowerPoint 97-2003", {".ppt", ".pps"}, kNewer, CompoundFile},
      {"Excel 2007+", {".xlsx", ".xlsm", ".xltx"}, kNewer, Zip},
      {"PowerPoint 2007+", {".pptx", ".pptm", ".ppsx"}, kNewer, Zip},
      {"OpenDocument spreadsheet", {".ods", ".ots"}, kNewer, Zip},
      {"OpenDocument presentation", {".odp", ".otp"}, kNewer, Zip},
      {"Flat OpenDocument", {".fodt", ".fods", ".fodp"}, kNewer, Xml},
      {"PDF", {".pdf"}, kNewer, Pdf},
  };
  return table;
}

bool HasSignature(Signature signature, std::string_view head) {
  switch (signature) {
    case Signature::CompoundFile:
      return head.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    case Signature::Zip: return head.substr(0, 4) == std::string_view("PK\x03\x04", 4);
    case Signature::Rtf: return head.substr(0, 5) == "{\\rtf";
    case Signature::Xml: return LooksLikeXml(head);
    case Signature::Pdf: return LooksLikePdf(head);
  }
  return false;
}

}  // namespace catalogue
