#include "printing/core/PageSetup.h"

#include <gtest/gtest.h>

#include "printing/core/PaperSizes.h"

namespace printing {
namespace {

using layout::Fixed;

TEST(PageSetup, PrinterDotsBecomeWholeMillimetres) {
  EXPECT_EQ(DotsToMillimetres(100, 600), 4);  // 4.23
  EXPECT_EQ(DotsToMillimetres(4961, 600), 210);
  EXPECT_EQ(DotsToMillimetres(7016, 600), 297);
  EXPECT_EQ(DotsToMillimetres(15, 254), 2);  // 1.5 rounds to even
  EXPECT_EQ(DotsToMillimetres(25, 254), 2);  // 2.5 rounds to even
  PrinterMetrics pdf = MetricsFromDots(PdfPrinterDots());
  EXPECT_EQ(pdf.offsetXmm, 4);
  EXPECT_EQ(pdf.printableWidthMm, 202);
  EXPECT_FALSE(pdf.fallback);
  // A printer without a resolution is measured as the PDF printer, and says so.
  PrinterMetrics none = MetricsFromDots(PrinterDots{});
  EXPECT_TRUE(none.fallback);
  EXPECT_EQ(none.sheetWidthMm, 210);
}

// A style on another paper is shown on that sheet with the printer's margins.
TEST(PageSetup, ASheetOfAnotherPaperKeepsThePrintersMargins) {
  PrinterMetrics a4 = MetricsFromDots(PdfPrinterDots());
  PrinterMetrics b5Landscape = MetricsOnPaper(a4, 13, 1);
  EXPECT_EQ(b5Landscape.sheetWidthMm, 257);
  EXPECT_EQ(b5Landscape.sheetHeightMm, 182);
  EXPECT_EQ(b5Landscape.sheetWidthMm - b5Landscape.printableWidthMm,
            a4.sheetWidthMm - a4.printableWidthMm);
  EXPECT_EQ(b5Landscape.offsetXmm, a4.offsetXmm);
  // A rotated code is still laid portrait when portrait is asked for.
  EXPECT_EQ(MetricsOnPaper(a4, 80, 0).sheetWidthMm, 182);
  PrinterMetrics letter = MetricsOnPaper(a4, 1, 0);
  EXPECT_EQ(letter.sheetWidthMm, 216);  // 8.5 inches
  EXPECT_EQ(MetricsOnPaper(a4, 0, 0).sheetWidthMm, a4.sheetWidthMm);
  EXPECT_EQ(MetricsOnPaper(a4, 500, 1).sheetWidthMm, a4.sheetWidthMm);
}

TEST(PageSetup, ThePreviewOfAnA4Sheet) {
  PrinterMetrics a4;
  a4.sheetWidthMm = 210;
  a4.sheetHeightMm = 297;
  a4.offsetXmm = 4;
  a4.offsetYmm = 4;
  a4.printableWidthMm = 202;
  a4.printableHeightMm = 289;
  PreviewLayout at100 = LayoutPreview(a4, Fixed::FromInt(96), Fixed::FromInt(96), 100);
  EXPECT_EQ(at100.previewDpiX, 96);
  EXPECT_EQ(at100.sheetWidth, 794);
  EXPECT_EQ(at100.sheetHeight, 1123);
  EXPECT_EQ(at100.areaLeft, 15);
  EXPECT_EQ(at100.areaWidth, 763);  // truncated
  EXPECT_EQ(LayoutPreview(a4, Fixed::FromInt(96), Fixed::FromInt(96), 5).previewDpiX, 4);
}

TEST(PageSetup, OffsetArrowsStepAndCutToTenths) {
  Fixed value;
  for (int i = 0; i < 3; ++i) {
    value = OffsetAfterStep(value, OffsetStep(true, false));
  }
  EXPECT_EQ(value.ToString(), "0.3");
  EXPECT_EQ(OffsetAfterStep(Fixed(), OffsetStep(false, true)).ToString(), "10");
  EXPECT_EQ(OffsetAfterStep(*Fixed::Parse("0.35"), -OffsetStep(false, false)).ToString(), "-0.6");
  EXPECT_EQ(OffsetAfterStep(*Fixed::Parse("-1"), OffsetStep(false, false)).ToString(), "0");
}

TEST(PageSetup, HeaderAndPaperEntries) {
  EXPECT_EQ(layout::StyleHeaderLine(*Fixed::Parse("1.5"), Fixed::FromInt(-2), 9, 0, 100),
            "header;Ver1.1;1.5;-2;9;0;0;100;0;");
  EXPECT_EQ(EntryOfPrinterPaper(70, true).entry, 0);  // A6 is applied but not read back
  EXPECT_EQ(EntryOfPrinterPaper(70, true).orientation, 1);
  EXPECT_EQ(EntryOfPrinterPaper(9, false).entry, 9);
  EXPECT_EQ(PaperLabel(1), "Letter 8 1/2 x 11 in");
  EXPECT_EQ(PaperLabel(9), "A4 210 x 297 mm");
  EXPECT_EQ(PaperLabel(13), "B5 (JIS) 182 x 257 mm");
  EXPECT_EQ(PaperLabel(43), "Japanese Postcard 100 x 148 mm");
  EXPECT_EQ(PaperLabel(48), "RESERVED--DO NOT USE");
  EXPECT_EQ(PaperLabel(0), "※用紙リスト");
  EXPECT_EQ(PaperLabel(119), "");
}

// A paper of the user's own size: read from the header's fields 10 and 11
// only under its entry and within bounds, written back, measured and named.
TEST(PageSetup, ACustomPaperTravelsInTheHeader) {
  auto read = [](const std::string& header) {
    return layout::ReadHeaderValues({header}).customPaper;
  };
  std::optional<layout::CustomPaperSize> card = read("header;Ver1.1;0;0;256;1;0;100;0;210;99.5;");
  ASSERT_TRUE(card);
  EXPECT_EQ(card->widthMm, Fixed::FromInt(210));
  EXPECT_EQ(card->heightMm, *Fixed::Parse("99.5"));
  for (const char* notOne :
       {"header;Ver1.1;0;0;9;1;0;100;0;210;99.5;", "header;Ver1.1;0;0;256;1;0;100;0;5;99.5;",
        "header;Ver1.1;0;0;256;1;0;100;0;210;1300;", "header;Ver1.1;0;0;256;1;0;100;0;x;99;",
        "header;Ver1.1;0;0;256;1;0;100;0;", "header;Ver1.1;0;0;256;1;"}) {
    EXPECT_FALSE(read(notOne)) << notOne;
  }
  EXPECT_EQ(layout::StyleHeaderLine(Fixed(), Fixed(), 256, 1, 100, card),
            "header;Ver1.1;0;0;256;1;0;100;0;210;99.5;");
  EXPECT_EQ(layout::StyleHeaderLine(Fixed(), Fixed(), 9, 1, 100, card),
            "header;Ver1.1;0;0;9;1;0;100;0;");

  PrinterMetrics a4 = MetricsFromDots(PdfPrinterDots());
  PrinterMetrics portrait = MetricsOnPaper(a4, 256, 0, card);
  EXPECT_EQ(portrait.sheetWidthMm, 100);  // 99.5 to even
  EXPECT_EQ(portrait.sheetHeightMm, 210);
  EXPECT_EQ(MetricsOnPaper(a4, 256, 1, card).sheetWidthMm, 210);
  EXPECT_EQ(MetricsOnPaper(a4, 256, 1, std::nullopt).sheetWidthMm, a4.sheetWidthMm);
  EXPECT_EQ(PaperLabel(256), "ユーザー定義サイズ");
  EXPECT_EQ(PaperLabel(256, card), "ユーザー定義 210 x 99.5 mm");
  EXPECT_EQ(PaperLabel(9, card), "A4 210 x 297 mm");
}

}  // namespace
}  // namespace printing
