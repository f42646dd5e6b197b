// From a folder with unreadable documents among readable ones to the CSV,
// the clipboard, the row-edit save and the print hand-off: every readable
// document arrives, each on one line; the reader's messages come as one
// summary at the end of the scan.

#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeView>
#include <fstream>

#include "catalogue/core/ListFile.h"
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

// The widget that Tab moves the focus to from `from`.
QWidget* NextTabStop(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
      return w;
    }
  }
  return from;
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
    FolderCommand([&](catalogue::Tffolder_select& dialog) {
      dialog.SelectFolder(QString::fromStdString(documents.path()));
      dialog.ShellTreeView1DblClick();
      dialog.GradBtn1Click();
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
  WithDialog<commands::Tfdataedit>(
      editDialog, [](commands::Tfdataedit& dialog) { dialog.Button1Click(); },
      [this] { window->N21Click(); });
  std::string saved = ReadAll(paths.ListFile());
  EXPECT_EQ(saved,
            "a.doc;Alpha;;;;;;;;;;;\r\n"
            "d.doc;Delta;;;Ann\x81\x47"
            "Bob;;;;4;;;;\r\n"
            "e.doc;two  lines, \"quoted\";;;;;;;5;;;;\r\n");

  int windows = 0;
  UsePrintWindowsThatCloseAtOnce(windows);
  window->N8Click();
  EXPECT_EQ(windows, 1);
  std::string handed = ReadAll(paths.ListFile());
  EXPECT_EQ(CountLines(handed), 3);
  EXPECT_NE(handed.find("e.doc;two  lines, \"quoted\";;;;;;;5;;;,\r\n"), std::string::npos);
}

TEST_F(ScanToOutput, AFolderWithoutDocumentsLeavesListGridAndLabelAlone) {
  testsupport::TempDir empty;
  empty.Write("readme.txt", "x");
  catalogue::WriteListFile(paths.ListFile(), {"kept.doc;;;;;;;;;;;"});
  Start();
  window->FolderLabel()->setText(QStringLiteral("/the/scanned/folder"));
  window->GridData().SetCell(0, 1, "shown.doc");
  FolderCommand([&](catalogue::Tffolder_select& dialog) {
    dialog.SelectFolder(QString::fromStdString(empty.path()));
    dialog.ShellTreeView1DblClick();
    dialog.GradBtn1Click();
  });
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_EQ(dialogs.shown[0],
            QStringLiteral("information: ") + QString::fromStdString(empty.path()) +
                QStringLiteral("\r\n上記フォルダーにエクセルファイルは見つかりませんでした"));
  // A later printout must not name a folder whose documents it does not list.
  EXPECT_EQ(window->FolderLabel()->text(), QStringLiteral("/the/scanned/folder"));
  EXPECT_EQ(Cell(0, 1), "shown.doc");
  EXPECT_EQ(ReadAll(paths.ListFile()), "kept.doc;;;;;;;;;;;\r\n");
}

TEST_F(ScanToOutput, TheFolderDialogWorksFromTheKeyboard) {
  testsupport::WriteNumberedDocuments(documents.path(), 2);
  testsupport::TempDir other;
  testsupport::WriteNumberedDocuments(other.path(), 3);
  Start();
  FolderCommand([&](catalogue::Tffolder_select& dialog) {
    auto* path = dialog.findChild<QLineEdit*>(QStringLiteral("PathEdit"));
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("ShellTreeView1"));
    auto* files = dialog.findChild<QListWidget*>(QStringLiteral("FileListBox1"));
    ASSERT_TRUE(path && tree && files);

    // A typed path opens in the tree and the file list.
    path->clear();
    QTest::keyClicks(path, QString::fromStdString(documents.path()));
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_EQ(dialog.SelectedFolder(), QString::fromStdString(documents.path()));
    EXPECT_EQ(dialog.ListedNames().size(), 2);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // A path that is no folder is refused and changes nothing.
    path->setText(QString::fromStdString(documents.File("a.doc")));
    QTest::keyClick(path, Qt::Key_Return);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].endsWith(QStringLiteral("フォルダーが見つかりません")));
    EXPECT_EQ(dialog.ListedNames().size(), 2);

    // Return on a folder in the tree opens it as a double-click does.
    dialog.SelectFolder(QString::fromStdString(other.path()));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(dialog.ListDirectory(), QString::fromStdString(other.path()));
    EXPECT_EQ(dialog.ListedNames().size(), 3);
    EXPECT_EQ(path->text(), QString::fromStdString(other.path()));

    // Tab goes from the path to the tree, the files, then the buttons.
    EXPECT_EQ(NextTabStop(path), tree);
    EXPECT_EQ(NextTabStop(tree), files);
    EXPECT_EQ(NextTabStop(files)->objectName(), QStringLiteral("GradBtn1"));
    EXPECT_EQ(NextTabStop(NextTabStop(files))->objectName(), QStringLiteral("GradBtn2"));

    // Return on the focused run button runs the scan.
    auto* run = dialog.findChild<QWidget*>(QStringLiteral("GradBtn1"));
    run->setFocus();
    QTest::keyClick(run, Qt::Key_Return);
  });
  EXPECT_EQ(Cell(0, 3), "doc00002.doc");
  EXPECT_EQ(window->FolderLabel()->text(), QString::fromStdString(other.path()));
}

TEST_F(ScanToOutput, TheTitleBoxKeepsTheTextAsTyped) {
  programFolder.Write(commands::kTitleHistoryFileName, "Cancelled Title\r\n");
  Start();
  WithDialog<commands::TFTitle_Set>(
      titleDialog,
      [](commands::TFTitle_Set& dialog) {
        QLineEdit* box = dialog.TitleList()->lineEdit();
        box->clear();
        QTest::keyClicks(box, QStringLiteral("Cance"));
        EXPECT_EQ(dialog.TitleList()->currentText(), QStringLiteral("Cance"));
        dialog.Button1Click();
      },
      [this] { window->N30Click(); });
  EXPECT_EQ(window->TitlePanel()->text(), QStringLiteral("Cance"));
}

}  // namespace
}  // namespace app
