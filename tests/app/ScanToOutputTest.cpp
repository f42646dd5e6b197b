// From a folder with unreadable documents among readable ones to the CSV,
// the clipboard, the row-edit save and the print hand-off: every readable
// document arrives, each on one line; the reader's messages come as one
// summary at the end of the scan.

#include <gtest/gtest.h>
#include <QAction>
#include <QLabel>
#include <algorithm>

#include "platform/text/Cp932.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/CompoundFileWriter.h"
#include "tests/support/PropertySetBuilder.h"
#include "tests/support/SampleDocuments.h"

namespace app {
namespace {

using testsupport::PropertySetBuilder;
using testsupport::ReadAll;

int CountLines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

struct ScanToOutput : ProgramFixture {
  testsupport::TempDir documents;

  // a.doc readable, b.rtf not a compound file, c.doc damaged, d.doc
  // readable, e.doc with CR LF and a ";" in its title.
  void WriteMixedFolder() {
    testsupport::WriteSummaryDocument(documents.File("a.doc"),
                                      PropertySetBuilder().Lpstr(2, "Alpha").Build());
    documents.Write("b.rtf", "{\\rtf1\\ansi not a compound file}");
    // A compound-file signature over bytes that are not one.
    documents.Write("c.doc",
                    std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(1024, '\x7F'));
    testsupport::WriteSummaryDocument(
        documents.File("d.doc"),
        PropertySetBuilder().Lpstr(2, "Delta").Lpstr(4, "Ann;Bob").Lpstr(9, "4").Build());
    testsupport::WriteSummaryDocument(
        documents.File("e.doc"),
        PropertySetBuilder().Lpstr(2, "two\r\nlines, \"quoted\"").Lpstr(9, "5").Build());
  }

  void Scan() {
    FolderCommand([&](catalogue::FolderDialog& dialog) {
      dialog.SelectFolder(QString::fromStdString(documents.path()));
      dialog.ShowSelectedFolder();
      dialog.Scan();
    });
  }
};

TEST_F(ScanToOutput, EveryReadableDocumentReachesEveryOutput) {
  WriteMixedFolder();
  Start();
  Scan();

  // One summary after the scan, naming each unreadable file with its message.
  ASSERT_EQ(dialogs.shown.size(), 1);
  QStringList summary = dialogs.shown[0].split('\n');
  EXPECT_EQ(summary[0], QStringLiteral("list: 読み取れなかったファイルが 2 件あります。"));
  ASSERT_EQ(summary.size(), 3);
  EXPECT_EQ(summary[1], QStringLiteral("b.rtf: 未対応ファイルです"));
  EXPECT_TRUE(summary[2].startsWith(QStringLiteral("c.doc: Error StgOpenStorage HResult = $")))
      << summary[2].toStdString();

  // The scan's list: five lines, the unreadable ones empty, e.doc on one line.
  std::string list = ReadAll(paths.ListFile());
  EXPECT_EQ(CountLines(list), 5);
  EXPECT_NE(list.find("\r\ne.doc;two  lines, \"quoted\";;;;;;;5;;;\r\n"), std::string::npos);
  EXPECT_NE(list.find("d.doc;Delta;;;Ann\x81\x47"
                      "Bob;;;;4;;;\r\n"),
            std::string::npos);
  EXPECT_EQ(window->FolderLabel()->text(), QString::fromStdString(documents.path()));

  QString csv = QString::fromStdString(programFolder.File("out.csv"));
  dialogs.saveNames = {csv};
  window->Item(QStringLiteral("CSV1"))->trigger();
  EXPECT_EQ(ReadAll(csv.toStdString()),
            "a.doc,Alpha,,,,,,,,,,,\r\n"
            "d.doc,Delta,,,Ann\x81\x47"
            "Bob,,,,4,,,,\r\n"
            "e.doc,\"two  lines, \"\"quoted\"\"\",,,,,,,5,,,,\r\n");

  window->Item(QStringLiteral("N10"))->trigger();
  EXPECT_EQ(CountLines(desktop.clipboard.toStdString()), 3);
  EXPECT_TRUE(desktop.clipboard.startsWith(QStringLiteral("a.doc,Alpha,")));

  window->GridData().SelectRow(4);  // d.doc
  WithDialog<commands::RowEditDialog>(
      editDialog, [](commands::RowEditDialog& dialog) { dialog.Confirm(); },
      [this] { window->EditSelectedRow(); });
  std::string saved = ReadAll(paths.ListFile());
  EXPECT_EQ(saved,
            "a.doc;Alpha;;;;;;;;;;;\r\n"
            "d.doc;Delta;;;Ann\x81\x47"
            "Bob;;;;4;;;;\r\n"
            "e.doc;two  lines, \"quoted\";;;;;;;5;;;;\r\n");

  int windows = 0;
  UsePrintWindowsThatCloseAtOnce(windows);
  window->PrintReport();
  EXPECT_EQ(windows, 1);
  std::string handed = ReadAll(paths.ListFile());
  EXPECT_EQ(CountLines(handed), 3);
  EXPECT_NE(handed.find("e.doc;two  lines, \"quoted\";;;;;;;5;;;,\r\n"), std::string::npos);
}

TEST_F(ScanToOutput, AFileNameWithALineBreakStaysOneRecord) {
  testsupport::WriteSummaryDocument(documents.File("line\nbreak.doc"),
                                    PropertySetBuilder().Lpstr(2, "Broken name").Build());
  testsupport::WriteSummaryDocument(documents.File("x.doc"),
                                    PropertySetBuilder().Lpstr(2, "After").Build());
  Start();
  Scan();
  EXPECT_TRUE(dialogs.shown.isEmpty());
  EXPECT_EQ(ReadAll(paths.ListFile()),
            "line break.doc;Broken name;;;;;;;;;;\r\nx.doc;After;;;;;;;;;;\r\n");
  EXPECT_EQ(Cell(0, 1), "line break.doc");
  EXPECT_EQ(Cell(1, 2), "After");
}

}  // namespace
}  // namespace app
