// The print window with the real printer (its PDF printer): paper setup with
// Qt's own print dialog, which accepted without a change leaves paper,
// orientation, measurements and the style exactly as they were; and where
// a printed PDF goes.

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <filesystem>

#include "catalogue/core/ListFile.h"
#include "printing/qt/QtPrinter.h"
#include "printing/ui/PrintWindow.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/PrintDialogScripts.h"
#include "tests/support/PrintWindowServicesForTests.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"

namespace printing {
namespace {

using testsupport::ReadAll;
using testsupport::ShownText;

bool SameMetrics(const PrinterMetrics& a, const PrinterMetrics& b) {
  return a.resolutionX == b.resolutionX && a.resolutionY == b.resolutionY &&
         a.sheetWidthMm == b.sheetWidthMm && a.sheetHeightMm == b.sheetHeightMm &&
         a.printableWidthMm == b.printableWidthMm && a.printableHeightMm == b.printableHeightMm &&
         a.offsetXmm == b.offsetXmm && a.offsetYmm == b.offsetYmm;
}

struct PaperSetup : ::testing::Test {
  testsupport::TempDir folder;
  platform::ProgramPaths paths{folder.path(), "quillmark_wd"};
  testsupport::ScriptedDialogs dialogs;
  testsupport::FakeDesktop desktop;
  printing::QtPrinter printer{"", folder.File("out.pdf")};
  FixedClock clock{*MakeDate(2026, 12, 7)};
  std::unique_ptr<PrintWindow> window;
  int dialogsShown = 0;

  // A shipped style, copied into the program folder's style folder.
  std::string ShippedStyle(const std::string& name) {
    std::filesystem::create_directories(paths.File("style"));
    std::string copy = paths.File("style/" + name);
    std::filesystem::copy_file(std::string(QUILL_SOURCE_DIR) + "/resources/style/" + name, copy);
    return copy;
  }

  void Open(const std::string& style) {
    catalogue::WriteListFile(paths.ListFile(), {"a.doc;A;;;;;;;;;;,"});
    dialogs.openNames = {QString::fromStdString(style)};
    PrintWindowServices s =
        testsupport::PrintWindowServicesFor(paths, dialogs, desktop, printer, clock);
    // Qt's own dialog on the printer, accepted without a change.
    s.printsToPdf = [this] { return printer.IsPdf(); };
    s.preparePdf = [this](const std::string& path, platform::ReadOnlyTarget readOnly) {
      printer.SetPdfPath(path, readOnly);
    };
    s.setupDialog = [this] {
      ++dialogsShown;
      return printer.RunSetupDialog(nullptr, testsupport::AcceptPrintDialog);
    };
    window = std::make_unique<PrintWindow>(s);
    window->show();
    QApplication::processEvents();
  }
};

TEST_F(PaperSetup, AcceptingWithoutAChangeKeepsTheShippedA4StyleAsItWas) {
  std::string style = ShippedStyle("一覧表_A4縦.sle");
  std::string before = ReadAll(style);
  Open(style);
  ASSERT_EQ(window->State().PaperEntry(), 9);
  EXPECT_EQ(ShownText(*window, "BoxLabel1"), QStringLiteral("A4 210 x 297 mm"));
  EXPECT_EQ(ShownText(*window, "OrientationLabel"), QStringLiteral("縦"));
  PrinterMetrics metrics = ReadPrinterMetrics(printer);

  window->Item(QStringLiteral("N17"))->trigger();  // the menu's paper setup (Ctrl+U)
  window->PaperSetupIntoStyle();                   // the icon's, which stores the header
  EXPECT_EQ(dialogsShown, 2);
  EXPECT_EQ(window->State().PaperEntry(), 9);
  EXPECT_EQ(ShownText(*window, "BoxLabel1"), QStringLiteral("A4 210 x 297 mm"));
  EXPECT_EQ(ShownText(*window, "OrientationLabel"), QStringLiteral("縦"));
  EXPECT_TRUE(SameMetrics(ReadPrinterMetrics(printer), metrics));
  EXPECT_EQ(window->State().PageLines()[0], before.substr(0, before.find("\r\n")));

  window->SaveSettings();  // save
  EXPECT_EQ(ReadAll(style), before);
}

TEST_F(PaperSetup, TheLabelAndOrientationFollowThePrinterAfterEitherCommand) {
  Open(ShippedStyle("一覧表_A4横.sle"));
  EXPECT_EQ(ShownText(*window, "OrientationLabel"), QStringLiteral("横"));
  // The user picks B5 portrait in the dialog (done here on the printer).
  printer.Device().setPageSize(QPageSize(QPageSize::JisB5));
  printer.Device().setPageOrientation(QPageLayout::Portrait);
  window->Item(QStringLiteral("N17"))->trigger();
  EXPECT_EQ(ShownText(*window, "BoxLabel1"), QStringLiteral("B5 (JIS) 182 x 257 mm"));
  EXPECT_EQ(ShownText(*window, "OrientationLabel"), QStringLiteral("縦"));
  EXPECT_EQ(window->State().PaperEntry(), 9);  // the menu command leaves the header's paper
  window->PaperSetupIntoStyle();
  EXPECT_EQ(window->State().PaperEntry(), 13);
  EXPECT_EQ(window->State().PageLines()[0], "header;Ver1.1;0;0;13;0;0;100;0;");
}

// Printing without a printer queue: the PDF's destination.
using PdfDestination = PaperSetup;

TEST_F(PdfDestination, APdfGoesWhereTheUserSaysAndNeverOverAnEarlierOne) {
  Open(ShippedStyle("一覧表_A4縦.sle"));
  auto* openFolder = window->findChild<QWidget*>(QStringLiteral("OpenPdfFolder"));
  ASSERT_NE(openFolder, nullptr);
  EXPECT_FALSE(openFolder->isVisible());

  // Cancelling the save dialog prints nothing.
  window->PrintAllPages();
  ASSERT_EQ(dialogs.offeredNames.size(), 1);
  QString printFolder = QString::fromStdString(paths.File("print"));
  QFileInfo offered(dialogs.offeredNames[0]);
  EXPECT_EQ(offered.absolutePath(), printFolder);
  EXPECT_TRUE(offered.fileName().contains(
      QRegularExpression(QStringLiteral("^print-\\d{8}-\\d{6}\\.pdf$"))))
      << offered.fileName().toStdString();
  EXPECT_TRUE(QDir(printFolder).entryList(QDir::Files).isEmpty());

  // Two prints at once: the second is offered a name of its own.
  dialogs.saveNames = {testsupport::ScriptedDialogs::kOfferedName,
                       testsupport::ScriptedDialogs::kOfferedName};
  window->PrintAllPages();
  window->PrintAllPages();
  ASSERT_EQ(dialogs.offeredNames.size(), 3);
  EXPECT_NE(dialogs.offeredNames[1], dialogs.offeredNames[2]);
  EXPECT_EQ(QDir(printFolder).entryList(QDir::Files).size(), 2);
  EXPECT_TRUE(
      ShownText(*window, "MessageStatus").endsWith(dialogs.offeredNames[2]));  // the whole path
  EXPECT_TRUE(openFolder->isVisible());
  static_cast<QPushButton*>(openFolder)->click();
  EXPECT_EQ(desktop.opened.back(), QUrl::fromLocalFile(printFolder).toString());

  // A folder the user chose is offered next time.
  testsupport::TempDir elsewhere;
  QString chosen = QString::fromStdString(elsewhere.File("catalogue.pdf"));
  dialogs.saveNames = {chosen};
  window->PrintAllPages();
  EXPECT_TRUE(QFileInfo::exists(chosen));
  window->PrintAllPages();  // cancelled
  EXPECT_EQ(QFileInfo(dialogs.offeredNames.back()).absolutePath(),
            QString::fromStdString(elsewhere.path()));
}

}  // namespace
}  // namespace printing
