// The Qt printer's paper: every code Qt names survives Qt's own print dialog
// accepted without a change.

#include "printing/qt/QtPrinter.h"

#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>

#include "printing/core/PaperSizes.h"
#include "tests/support/PrintDialogScripts.h"
#include "tests/support/TempDir.h"

namespace printing {
namespace {

using layout::Fixed;

bool SameDots(const printing::PrinterDots& a, const printing::PrinterDots& b) {
  return a.resolutionX == b.resolutionX && a.resolutionY == b.resolutionY &&
         a.physicalOffsetX == b.physicalOffsetX && a.physicalOffsetY == b.physicalOffsetY &&
         a.physicalWidth == b.physicalWidth && a.physicalHeight == b.physicalHeight &&
         a.pageWidth == b.pageWidth && a.pageHeight == b.pageHeight;
}

// What a shell command prints (its errors left out).
std::string CommandOutput(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) {
    return out;
  }
  char buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    out.append(buffer, read);
  }
  ::pclose(pipe);
  return out;
}

// Qt's print dialog on the printer, accepted as it opens.
void AcceptPrintDialog(QtPrinter& printer) {
  EXPECT_TRUE(printer.RunSetupDialog(nullptr, testsupport::AcceptPrintDialog));
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

// The dialog's page settings show the printer's paper, not a default of
// their own; accepted as shown they keep it, and a paper picked there is
// taken.
TEST(QtPrinterPaper, ThePageSettingsShowThePrintersPaperAndTakeTheOnePicked) {
  testsupport::TempDir folder;
  QtPrinter printer("", folder.File("out.pdf"));
  printer.ApplyPaperSettings(13, 1);  // B5 (JIS), landscape
  QString shown;
  EXPECT_TRUE(printer.RunSetupDialog(nullptr, [&](QPrintDialog& dialog) {
    return testsupport::AcceptWithPageSettings(dialog, [&](QComboBox* papers) {
      ASSERT_NE(papers, nullptr);
      shown = papers->currentText();
    });
  }));
  EXPECT_EQ(shown, QPageSize(QPageSize::JisB5).name());
  EXPECT_EQ(printer.CurrentPaper().code, 13);
  EXPECT_TRUE(printer.CurrentPaper().landscape);

  EXPECT_TRUE(printer.RunSetupDialog(nullptr, [&](QPrintDialog& dialog) {
    return testsupport::AcceptWithPageSettings(dialog, [&](QComboBox* papers) {
      ASSERT_NE(papers, nullptr);
      papers->setCurrentIndex(papers->findText(QPageSize(QPageSize::A5).name()));
    });
  }));
  EXPECT_EQ(printer.CurrentPaper().code, 11);
  EXPECT_TRUE(printer.CurrentPaper().landscape);
  EXPECT_TRUE(printer.IsPdf());

  // A cancelled dialog changes nothing, the paper picked before included.
  EXPECT_FALSE(printer.RunSetupDialog(nullptr, testsupport::CancelPrintDialog));
  EXPECT_EQ(printer.CurrentPaper().code, 11);
  EXPECT_TRUE(printer.IsPdf());
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

TEST(QtPrinterPaper, ACustomPaperIsItsOwnSizeTurnedAsAsked) {
  testsupport::TempDir folder;
  QtPrinter printer("", folder.File("out.pdf"));
  printer.ApplyCustomPaper({Fixed::FromInt(100), Fixed::FromInt(148)}, 1);
  QSizeF size = printer.Device().pageLayout().fullRect(QPageLayout::Millimeter).size();
  EXPECT_NEAR(size.width(), 148, 0.5);
  EXPECT_NEAR(size.height(), 100, 0.5);
  printing::PrinterMetrics metrics = ReadPrinterMetrics(printer);
  EXPECT_EQ(metrics.sheetWidthMm, 148);
  EXPECT_EQ(metrics.sheetHeightMm, 100);
  EXPECT_TRUE(printer.CurrentPaper().landscape);
  // Through the style's paper: a custom entry without its size is none.
  ApplyStylePaper(printer, 256, 0, std::nullopt);
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

// What the file says of itself, read back by poppler's pdfinfo: the title,
// the subject the writer cannot set, the creator; characters beyond the
// basic plane too.
TEST(QtPrinterPdf, TheFileIsTitledAndSaysWhatItLists) {
  testsupport::TempDir folder;
  std::string pdf = folder.File("report.pdf");
  QtPrinter printer("", pdf);
  printer.DescribeDocument({"目録 2026 é", "/docs/報告_김민수", "ワード・クイルマーク 9.9"});
  printer.BeginRun("style - program");
  printer.BeginPage("test").TextOut(10, 10, "page 😀");
  printer.EndPage();
  printer.EndRun(true);
  std::string info = CommandOutput("pdfinfo '" + pdf + "'");
  if (info.empty()) {
    GTEST_SKIP() << "pdfinfo is not installed";
  }
  EXPECT_NE(info.find("Title:           目録 2026 é\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Subject:         /docs/報告_김민수\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Creator:         ワード・クイルマーク 9.9\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
}

}  // namespace
}  // namespace printing
