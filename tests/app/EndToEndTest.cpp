// The whole road on the offscreen platform: scan a folder, edit, delete and
// move rows, set a title, export CSV, print with a shipped style to PDF and
// read the PDF back; then restart and find the settings kept.

#include <gtest/gtest.h>
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <filesystem>

#include <QComboBox>
#include <QLineEdit>
#include "platform/text/Cp932.h"
#include "printing/ui/PrintWindowFactory.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScanAndWait.h"
#include "widgets/FrozenColumnTable.h"

namespace app {
namespace {

using testsupport::ReadAll;

std::string Shell(const std::string& command) {
  testsupport::TempDir io;
  std::system((command + " >" + io.File("out") + " 2>/dev/null").c_str());
  return ReadAll(io.File("out"));
}

struct EndToEnd : ProgramFixture {
  void StartWithPrinting() {
    Start();
    window->SetPrintWindowFactory([this](MainWindow& main) -> std::unique_ptr<QDialog> {
      std::unique_ptr<printing::PrintWindow> print = printing::CreatePrintWindow(
          paths, dialogs, desktop, main.FolderAndTitle(), main.Documents(), &main, true);
      printing::PrintWindow* w = print.get();
      // After the window's start has loaded the style the dialog offered.
      QTimer::singleShot(300, w, [w] {
        w->PrintAllPages();
        w->close();
      });
      return print;
    });
  }
};

TEST_F(EndToEnd, FromAFolderOfDocumentsToAPrintedCatalogue) {
  std::filesystem::create_directories(paths.File("style"));
  std::filesystem::copy_file(std::string(QUILL_SOURCE_DIR) + "/resources/style/一覧表_A4縦.sle",
                             paths.File("style/一覧表_A4縦.sle"));
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 25);
  StartWithPrinting();

  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    testsupport::ScanAndWait(dialog);
  });
  ASSERT_EQ(Cell(0, 25), "doc00024.doc");

  SelectRow(1);
  WithDialog<commands::RowEditDialog>(
      editDialog,
      [](commands::RowEditDialog& dialog) {
        dialog.Box(0)->setText(QStringLiteral("改訂版の題名"));
        dialog.Confirm();
      },
      [this] { window->EditSelectedRow(); });
  SelectRow(2);
  window->DeleteSelectedRows();  // 実行: doc00001 goes
  SelectRow(3);
  window->MoveSelectedUp();  // doc00003 moves above doc00002
  WithDialog<commands::TitleDialog>(
      titleDialog,
      [](commands::TitleDialog& dialog) {
        dialog.TitleList()->setEditText(QStringLiteral("目録E2E"));
        dialog.Confirm();
      },
      [this] { window->EnterReportTitle(); });

  QString csv = QString::fromStdString(programFolder.File("out.csv"));
  dialogs.saveNames = {csv};
  window->ExportCsv();
  std::string csvText = ReadAll(csv.toStdString());
  EXPECT_EQ(std::count(csvText.begin(), csvText.end(), '\n'), 24);
  EXPECT_EQ(csvText.rfind("doc00000.doc," + platform::Utf8ToCp932("改訂版の題名") + ",", 0), 0u);

  dialogs.openNames = {QString::fromStdString(paths.File("style/一覧表_A4縦.sle"))};
  // Where the PDF goes (the first one is offered in the documents folder
  // of whoever runs this, so the name is given).
  QDir().mkpath(QString::fromStdString(paths.File("print")));
  dialogs.saveNames = {QString::fromStdString(paths.File("print/report.pdf"))};
  window->PrintReport();
  QDir printed(QString::fromStdString(paths.File("print")));
  QStringList pdfs = printed.entryList({QStringLiteral("*.pdf")});
  ASSERT_EQ(pdfs.size(), 1);
  std::string pdf = printed.filePath(pdfs[0]).toStdString();
  std::string info = Shell("pdfinfo '" + pdf + "'");
  EXPECT_NE(info.find("Pages:           2"), std::string::npos);
  // The file says what it is: the report's title, the folder it lists, and
  // the program that made it.
  EXPECT_NE(info.find("Title:           目録E2E\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Subject:         " + documents.path() + "\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Creator:         ワード・クイルマーク "), std::string::npos) << info;
  std::string page1 = Shell("pdftotext -f 1 -l 1 '" + pdf + "' -");
  EXPECT_NE(page1.find("目録E2E"), std::string::npos) << page1;
  EXPECT_NE(page1.find("改訂版の題名"), std::string::npos);
  std::size_t first = page1.find("doc00000.doc");
  std::size_t moved = page1.find("doc00003.doc");
  std::size_t after = page1.find("doc00002.doc");
  EXPECT_NE(first, std::string::npos);
  EXPECT_LT(first, moved);
  EXPECT_LT(moved, after);
  EXPECT_EQ(page1.find("doc00001.doc"), std::string::npos);  // deleted

  // Restart: geometry, column widths and title history were kept.
  window->move(40, 30);
  window->Grid()->SetColumnWidth(1, 240);
  Stop();
  Start();
  EXPECT_EQ(window->pos(), QPoint(40, 30));
  EXPECT_EQ(window->Grid()->columnWidth(1), 240);
  EXPECT_EQ(titleDialog->TitleList()->itemText(0), QStringLiteral("目録E2E"));
}

}  // namespace
}  // namespace app
