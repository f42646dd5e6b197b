// From a folder with unreadable documents among readable ones to the CSV,
// the clipboard, the row-edit save and the print hand-off: every readable
// document arrives, each on one line; the reader's messages come as one
// summary at the end of the scan.

#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <algorithm>

#include "platform/text/Cp932.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/CompoundFileWriter.h"
#include "tests/support/PropertySetBuilder.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScanAndWait.h"

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
      testsupport::ScanAndWait(dialog);
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

  SelectRow(4);  // d.doc
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

// Documents of every format with characters code page 932 lacks: the grid,
// the list file (UTF-8 after its mark), the clipboard and the UTF-8 CSV keep
// every character; the Shift-JIS CSV writes "?" and says so once.
TEST_F(ScanToOutput, EveryCharacterReachesTheGridTheListAndTheUtf8Csv) {
  testsupport::WriteUnicodeDocuments(documents.path());
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.findChild<QCheckBox*>(QStringLiteral("NewerFormatsCheck"))->setChecked(true);
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    testsupport::ScanAndWait(dialog);
  });
  EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.value(0).toStdString();
  std::string title = testsupport::kUnicodeTitle;
  std::string author = testsupport::kUnicodeAuthor;
  EXPECT_EQ(Cell(0, 1), "cp1252.doc");
  EXPECT_EQ(Cell(1, 1), "Résumé");
  EXPECT_EQ(Cell(4, 1), "José Müller");
  for (int row = 2; row <= 5; ++row) {
    SCOPED_TRACE(Cell(0, row));
    EXPECT_EQ(Cell(1, row), title);
    EXPECT_EQ(Cell(4, row), author);
  }
  std::string list = ReadAll(paths.ListFile());
  EXPECT_EQ(list.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(list.find("unicode.rtf;" + title + ";"), std::string::npos);

  window->Item(QStringLiteral("N10"))->trigger();
  EXPECT_TRUE(desktop.clipboard.contains(QString::fromStdString(title + ",,," + author)));

  std::string utf8 = programFolder.File("utf8.csv");
  dialogs.saveNames = {QString::fromStdString(utf8)};
  dialogs.saveTypes = {1};
  dialogs.shown.clear();
  window->Item(QStringLiteral("CSV1"))->trigger();
  EXPECT_NE(ReadAll(utf8).find("unicode.odt," + title + ",,," + author), std::string::npos);
  EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("info: CSVファイルへ出力しました。")});

  std::string sjis = programFolder.File("sjis.csv");
  dialogs.saveNames = {QString::fromStdString(sjis)};
  dialogs.saveTypes = {0};
  dialogs.shown.clear();
  window->Item(QStringLiteral("CSV1"))->trigger();
  EXPECT_NE(ReadAll(sjis).find("cp1252.doc," + platform::Utf8ToCp932("R?sum?,,,Jos? M?ller")),
            std::string::npos);
  // Ten values lost characters: four titles, four authors and cp1252.doc's two.
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_EQ(dialogs.shown[0],
            QStringLiteral(
                "info: CSVファイルへ出力しました。\r\nShift-JIS にない文字を含む値が 10 "
                "個あり、その文字は「?」になりました。UTF-8 の CSV ならそのまま書き出せます。"));
}

}  // namespace
}  // namespace app
