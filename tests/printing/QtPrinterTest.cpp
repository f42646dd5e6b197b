// The Qt printer's paper: every code Qt names survives Qt's own print dialog
// accepted without a change.

#include "printing/qt/QtPrinter.h"

#include <gtest/gtest.h>
#include <QPrintDialog>
#include <QTimer>
#include <filesystem>

#include "printing/core/PaperSizes.h"
#include "tests/support/TempDir.h"

namespace printing {
namespace {

bool SameDots(const printing::PrinterDots& a, const printing::PrinterDots& b) {
  return a.resolutionX == b.resolutionX && a.resolutionY == b.resolutionY &&
         a.physicalOffsetX == b.physicalOffsetX && a.physicalOffsetY == b.physicalOffsetY &&
         a.physicalWidth == b.physicalWidth && a.physicalHeight == b.physicalHeight &&
         a.pageWidth == b.pageWidth && a.pageHeight == b.pageHeight;
}

// Qt's print dialog on the printer, accepted as it opens.
void AcceptPrintDialog(QtPrinter& printer) {
  QPrintDialog dialog(&printer.Device());
  QTimer::singleShot(0, &dialog, &QDialog::accept);
  dialog.exec();
}

TEST(QtPrinterPaper, NamedSizesWhereQtHasThemCustomOnlyWhereNot) {
  auto id = [](int code) { return QtPaperOfCode(code)->size.id(); };
  EXPECT_EQ(id(9), QPageSize::A4);
  EXPECT_EQ(id(13), QPageSize::JisB5);
  EXPECT_EQ(id(1), QPageSize::Letter);
  EXPECT_EQ(id(15), QPageSize::Quarto);  // 215 x 275 mm as published, Qt's 215.9 x 275.1
  EXPECT_EQ(id(24), QPageSize::AnsiC);   // 17 x 22 in, not the architectural C
  EXPECT_EQ(id(52), QPageSize::Custom);  // 11.69 x 18 in; Qt's Tabloid Extra is 12 x 18
  EXPECT_EQ(id(77), QPageSize::A4);      // A4 Rotated: A4 turned on its side
  EXPECT_TRUE(QtPaperOfCode(77)->turned);
  EXPECT_FALSE(QtPaperOfCode(9)->turned);
  EXPECT_FALSE(QtPaperOfCode(48).has_value());
  EXPECT_FALSE(QtPaperOfCode(0).has_value());
}

TEST(QtPrinterPaper, EveryNamedPaperSurvivesThePrintDialogAcceptedUnchanged) {
  testsupport::TempDir folder;
  QtPrinter printer("", folder.File("out.pdf"));
  int named = 0;
  for (int code = 1; code <= printing::kPaperCount; ++code) {
    std::optional<CodePaper> paper = QtPaperOfCode(code);
    // Qt's dialog offers the ids below its last one only (Qt 6.4).
    if (!paper || paper->size.id() == QPageSize::Custom ||
        paper->size.id() == QPageSize::LastPageSize) {
      continue;
    }
    ++named;
    for (int orientation : {0, 1}) {
      SCOPED_TRACE("code " + std::to_string(code) + " orientation " + std::to_string(orientation));
      printer.ApplyPaperSettings(code, orientation);
      printing::PrinterPaper before = printer.CurrentPaper();
      printing::PrinterDots dots = printer.Measure();
      EXPECT_EQ(before.code, code);
      EXPECT_EQ(before.landscape, orientation != 0);
      AcceptPrintDialog(printer);
      printing::PrinterPaper after = printer.CurrentPaper();
      EXPECT_EQ(after.code, code);
      EXPECT_EQ(after.landscape, orientation != 0);
      EXPECT_TRUE(SameDots(printer.Measure(), dots));
    }
  }
  EXPECT_GT(named, 100);
}

TEST(QtPrinterPaper, TurnedAndSharedSizesReadBackAsApplied) {
  testsupport::TempDir folder;
  QtPrinter printer("", folder.File("out.pdf"));
  printer.ApplyPaperSettings(77, 0);  // A4 Rotated, portrait: a sheet 297 wide
  printing::PrinterDots dots = printer.Measure();
  EXPECT_GT(dots.physicalWidth, dots.physicalHeight);
  EXPECT_EQ(printer.CurrentPaper().code, 77);
  EXPECT_FALSE(printer.CurrentPaper().landscape);
  printer.ApplyPaperSettings(55, 0);  // A4 Transverse: the size of A4
  EXPECT_EQ(printer.CurrentPaper().code, 55);
  printer.Device().setPageSize(QPageSize(QPageSize::JisB5));  // changed in a dialog
  EXPECT_EQ(printer.CurrentPaper().code, 13);
  printer.ApplyPaperSettings(13, 0);
  printer.Device().setPageSize(QPageSize(QPageSize::A4));
  printer.Device().setPageOrientation(QPageLayout::Landscape);
  EXPECT_EQ(printer.CurrentPaper().code, 9);  // the plain code, not A4 Rotated
  EXPECT_TRUE(printer.CurrentPaper().landscape);
  printer.ApplyPaperSettings(0, 0);  // no paper of its own: the default
  EXPECT_EQ(printer.CurrentPaper().code, 9);
}

TEST(QtPrinterPdf, AFailedRunThenAGoodOneWritesTheTargetAndNoTemporary) {
  testsupport::TempDir folder;
  std::string pdf = folder.File("report.pdf");
  QtPrinter printer("", pdf);
  printer.BeginRun("test");
  printer.BeginPage("test");
  printer.EndRun(false);  // the page failed
  EXPECT_FALSE(std::filesystem::exists(pdf));
  printer.BeginRun("test");
  printer.BeginPage("test").TextOut(10, 10, "page");
  printer.EndPage();
  printer.EndRun(true);
  EXPECT_TRUE(EndsLikeAPdf(pdf));
  EXPECT_EQ(printer.Device().outputFileName(), QString::fromStdString(pdf));
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace printing
