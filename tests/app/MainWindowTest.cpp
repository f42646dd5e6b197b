// The main window and the folder dialog together, on the offscreen platform,
// with a temporary program folder and scripted message boxes.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>

#include "app/ui/MainWindow.h"
#include "catalogue/core/FolderScan.h"
#include "catalogue/core/ListFile.h"
#include "catalogue/ole/MsoleSummarySource.h"
#include "catalogue/ui/FolderDialog.h"
#include "platform/errors/UserError.h"
#include "platform/files/FileBytes.h"
#include "platform/files/PathProbe.h"
#include "platform/settings/IniFile.h"
#include "platform/text/Cp932.h"
#include "platform/work/RunningWork.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/LongPaths.h"
#include "tests/support/PackageWriter.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScanAndWait.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempDir.h"
#include "widgets/FrozenColumnTable.h"

namespace app {
namespace {

using testsupport::ReadAll;

// The widget that Tab moves the focus to from `from`.
QWidget* NextTabStop(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
      return w;
    }
  }
  return from;
}

QRect WorkArea() {
  return QGuiApplication::primaryScreen()->availableGeometry();
}

TEST_F(MainWindowFixture, FirstStartUsesTheWorkAreaCornerAndTheDesignedSize) {
  Start();
  EXPECT_EQ(window->pos(), WorkArea().topLeft());
  // The designed size, as much of it as the screen shows.
  EXPECT_EQ(window->size(),
            QSize(std::min(1272, WorkArea().width()), std::min(942, WorkArea().height())));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("ワード・クイルマーク-Fernhollow-"));
  EXPECT_EQ((window->Documents().RowCount() + 1), 50);
  EXPECT_EQ(Cell(1, 0), "タイトル");
  EXPECT_TRUE(window->FolderLabel()->text().isEmpty());
  EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MainWindowFixture, RestartRestoresGeometryAndWidthsButNotTheList) {
  programFolder.Write("quillmark_wd.ini",
                      "[fquillmark_wd]\r\nleft=5000\r\ntop=20\r\nwidth=900\r\nheight=700\r\n"
                      "[someone_else]\r\nkey=kept\r\n");
  programFolder.Write("display.dat",
                      "[Version]=1.00\r\n[ColWidths[3]]=abc\r\n[ColWidths[10]]=55\r\n");
  catalogue::WriteListFile(paths.ListFile(), {"old.doc;Old;;;;;;;;;;"});
  Start();
  EXPECT_EQ(window->pos().x(), WorkArea().left());  // the monitor it stood on is gone
  EXPECT_EQ(window->pos().y(), 20);
  EXPECT_EQ(window->size(), QSize(std::min(900, WorkArea().width()), 700));
  EXPECT_EQ(window->Grid()->columnWidth(3), 100);
  EXPECT_EQ(window->Grid()->columnWidth(10), 55);
  EXPECT_EQ(window->Grid()->columnWidth(0), 146);
  EXPECT_EQ(Cell(0, 1), "");  // the old list is not loaded at start

  window->Grid()->SetColumnWidth(1, 250);
  Stop();
  platform::IniFile settings = platform::IniFile::Load(paths.SettingsFile());
  EXPECT_EQ(settings.ReadInteger("fquillmark_wd", "width", 0), std::min(900, WorkArea().width()));
  EXPECT_EQ(settings.ReadInteger("folder_select", "width", 0), std::min(799, WorkArea().width()));
  EXPECT_EQ(settings.ReadString("someone_else", "key"), "kept");
  EXPECT_NE(ReadAll(paths.ColumnWidthFile()).find("[ColWidths[1]]=250\r\n"), std::string::npos);
}

TEST_F(MainWindowFixture, ScanningAFolderFillsTheGridAndTheFolderLabel) {
  testsupport::TempDir documents;
  testsupport::WriteSampleDocuments(documents.path());
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    EXPECT_EQ(dialog.ListedNames().size(), 6);
    testsupport::ScanAndWait(dialog);
  });
  EXPECT_EQ(window->FolderLabel()->text(), QString::fromStdString(documents.path()));
  EXPECT_EQ(Cell(0, 1), "Annual Report.DOC");
  EXPECT_EQ(Cell(0, 2), "");  // memo.rtf
  EXPECT_EQ(Cell(1, 4), "新製品企画書");
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].contains(QStringLiteral("\nmemo.rtf: 未対応ファイルです\n")));
  EXPECT_TRUE(
      dialogs.shown[0].contains(QStringLiteral("\nno-properties.wrd: Error PropSetStg.Open")));
  // A sample is titled "Café sales": the list is UTF-8 after its mark.
  EXPECT_EQ(ReadAll(paths.ListFile()).substr(0, 21),
            "\xEF\xBB\xBF"
            "Annual Report.DOC;");
  EXPECT_EQ(Cell(3, 1), "Café sales");
}

TEST_F(MainWindowFixture, ScanningTheRealDocumentCorpusShowsEachRecord) {
  std::string corpus = std::string(QUILL_SHARED_DIR) + "/corpus";
  if (!std::filesystem::exists(corpus + "/expected.tsv")) {
    GTEST_SKIP() << "no corpus at " << corpus;
  }
  // The expected lines were made in UTC.
  std::string oldTz = qEnvironmentVariable("TZ").toStdString();
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  std::map<std::string, std::string> expected;
  std::ifstream tsv(corpus + "/expected.tsv");
  for (std::string row; std::getline(tsv, row);) {
    std::string name = row.substr(0, row.find('\t'));
    std::string hex = row.substr(row.find('\t', name.size() + 1) + 1);
    hex = hex.substr(0, hex.find('\t'));
    expected[name] = QByteArray::fromHex(QByteArray::fromStdString(hex)).toStdString();
  }
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(corpus));
    dialog.ShowSelectedFolder();
    testsupport::ScanAndWait(dialog);
  });
  std::vector<std::string> names = catalogue::ListDocumentFiles(corpus);
  ASSERT_GT(names.size(), 60u);
  ASSERT_GE((window->Documents().RowCount() + 1), static_cast<int>(names.size()) + 1);
  for (std::size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    std::string rest = expected.at(names[i]);
    // The expected lines are the Shift-JIS output: the grid shows every
    // character, and what it shows comes out so.
    for (int col = 0; col < 11; ++col) {
      const std::string& cell = Cell(col, static_cast<int>(i) + 1);
      std::string field = catalogue::NextField(rest);
      EXPECT_EQ(platform::Utf8ToCp932(cell), field);
      if (field.find('?') == std::string::npos) {
        EXPECT_EQ(cell, platform::DecodeCp932(field));
      }
    }
  }
  EXPECT_FALSE(dialogs.shown.isEmpty());  // the unreadable ones were reported
  if (oldTz.empty()) {
    ::unsetenv("TZ");
  } else {
    ::setenv("TZ", oldTz.c_str(), 1);
  }
  ::tzset();
}

TEST_F(MainWindowFixture, TheScanReadsTheListedFolderNotALaterSelection) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 2);
  testsupport::TempDir other;
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    dialog.SelectFolder(QString::fromStdString(other.path()));  // a single click elsewhere
    testsupport::ScanAndWait(dialog);
  });
  EXPECT_EQ(Cell(0, 2), "doc00001.doc");
  EXPECT_EQ(window->FolderLabel()->text(), QString::fromStdString(documents.path()));
  EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MainWindowFixture, CancelAndCloseLeaveEverythingAsItWas) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 3);
  catalogue::WriteListFile(paths.ListFile(), {"kept.doc;;;;;;;;;;;"});
  Start();
  window->FolderAndTitle().SetFolder("/before");
  SetCell(0, 1, "shown.doc");
  auto pick = [&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
  };
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    pick(dialog);
    dialog.CancelOrClose();
  });
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    pick(dialog);
    dialog.close();  // the window's close button
  });
  EXPECT_EQ(folderDialog->result(), QDialog::Rejected);
  EXPECT_EQ(Cell(0, 1), "shown.doc");
  EXPECT_EQ(window->FolderLabel()->text(), QStringLiteral("/before"));
  EXPECT_EQ(ReadAll(paths.ListFile()), "kept.doc;;;;;;;;;;;\r\n");
}

TEST_F(MainWindowFixture, EmptyFolderSaysSoAndLeavesListGridAndLabelAlone) {
  testsupport::TempDir empty;
  empty.Write("readme.txt", "x");
  catalogue::WriteListFile(paths.ListFile(), {"kept.doc;;;;;;;;;;;"});
  Start();
  window->FolderAndTitle().SetFolder("/the/scanned/folder");
  SetCell(0, 1, "shown.doc");
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(empty.path()));
    dialog.ShowSelectedFolder();
    testsupport::ScanAndWait(dialog);
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

TEST_F(MainWindowFixture, TheFolderDialogWorksFromTheKeyboard) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 2);
  testsupport::TempDir other;
  testsupport::WriteNumberedDocuments(other.path(), 3);
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
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

    // An empty path is not a mistake worth a message.
    path->clear();
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_EQ(dialogs.shown.size(), 1);

    // Return (or the keypad's Enter) on a folder in the tree opens it as a
    // double-click does.
    dialog.SelectFolder(QString::fromStdString(other.path()));
    QTest::keyClick(tree, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialog.ListDirectory(), QString::fromStdString(other.path()));
    EXPECT_EQ(dialog.ListedNames().size(), 3);
    EXPECT_EQ(path->text(), QString::fromStdString(other.path()));
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(dialog.ListedNames().size(), 2);
    dialog.SelectFolder(QString::fromStdString(other.path()));
    QTest::keyClick(tree, Qt::Key_Return);

    // Tab goes from the path to the tree, the files, the two check boxes,
    // then the buttons.
    EXPECT_EQ(NextTabStop(path), tree);
    EXPECT_EQ(NextTabStop(tree), files);
    QWidget* formats = NextTabStop(files);
    EXPECT_EQ(formats->objectName(), QStringLiteral("NewerFormatsCheck"));
    QWidget* check = NextTabStop(formats);
    EXPECT_EQ(check->objectName(), QStringLiteral("SubfoldersCheck"));
    EXPECT_EQ(NextTabStop(check)->objectName(), QStringLiteral("GradBtn1"));
    EXPECT_EQ(NextTabStop(NextTabStop(check))->objectName(), QStringLiteral("GradBtn2"));

    // Return on the focused run button runs the scan; with Ctrl it does not.
    dialog.ListedNames();  // the folder listed, the button on
    auto* run = dialog.findChild<QWidget*>(QStringLiteral("GradBtn1"));
    run->setFocus();
    QTest::keyClick(run, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(run, Qt::Key_Return);
  });
  EXPECT_EQ(Cell(0, 3), "doc00002.doc");
  EXPECT_EQ(window->FolderLabel()->text(), QString::fromStdString(other.path()));
}

// Compound files read as the program reads them, a tenth of a second each.
class SlowSource : public catalogue::SummaryStreamSource {
 public:
  catalogue::SummaryStream ReadSummaryStream(const std::string& path) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return inner_.ReadSummaryStream(path);
  }

 private:
  catalogue::MsoleSummarySource inner_;
};

TEST_F(MainWindowFixture, ACancelledScanSaysSoAndChangesNothing) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 30);
  documents.Write("z.rtf", "{\\rtf1}");  // would give a message, had the scan gone on
  catalogue::WriteListFile(paths.ListFile(), {"kept.doc;;;;;;;;;;;"});
  Start();
  window->FolderAndTitle().SetFolder("/before");
  SetCell(0, 1, "shown.doc");
  QString status;
  bool stillOpen = false;
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    dialog.SetProgressDelay(0);
    // Documents that take a while each, so the scan (on its own thread) is
    // still reading when the progress window's cancel is pressed.
    dialog.SetDocumentSource([] { return std::make_unique<SlowSource>(); });
    // Press the progress window's cancel as soon as it shows.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
      auto* progress = dialog.findChild<QProgressDialog*>();
      if (progress && progress->isVisible()) {
        progress->cancel();
      }
    });
    cancel.start(0);
    testsupport::ScanAndWait(dialog);
    cancel.stop();
    stillOpen = dialog.isVisible();
    status = dialog.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->currentMessage();
    dialog.CancelOrClose();
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(status.contains(QStringLiteral("中止"))) << status.toStdString();
  EXPECT_TRUE(dialogs.shown.isEmpty());
  EXPECT_EQ(ReadAll(paths.ListFile()), "kept.doc;;;;;;;;;;;\r\n");
  EXPECT_EQ(Cell(0, 1), "shown.doc");
  EXPECT_EQ(window->FolderLabel()->text(), QStringLiteral("/before"));
  // The next showing starts without the old note.
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    status = dialog.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->currentMessage();
    dialog.CancelOrClose();
  });
  EXPECT_TRUE(status.isEmpty());
}

// A folder of newer documents only, listed classically, says how many there
// are and how to list them; with the newer formats the hints name
// documents. The subfolders' documents come folder by folder, named by
// their path, and the choice is kept.
TEST_F(MainWindowFixture, TheSubfoldersAreListedByPathAndAnEmptyListSaysWhatWouldList) {
  testsupport::TempDir documents;
  std::filesystem::create_directories(documents.File("2024/03"));
  std::filesystem::create_directories(documents.File(".hidden"));
  for (const char* name : {"b.docx", "2024/a.xlsx", "2024/03/z.pptx", ".hidden/h.docx"}) {
    testsupport::WriteZip(
        documents.File(name),
        testsupport::DocxParts(testsupport::CorePropertiesXml("<dc:title>t</dc:title>")));
  }
  Start();
  QString tip;
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    auto* formats = dialog.findChild<QCheckBox*>(QStringLiteral("NewerFormatsCheck"));
    auto* subfolders = dialog.findChild<QCheckBox*>(QStringLiteral("SubfoldersCheck"));
    ASSERT_NE(subfolders, nullptr);
    EXPECT_EQ(subfolders->text(), QStringLiteral("サブフォルダーも読む"));
    dialog.OpenFolder(QString::fromStdString(documents.path()));
    EXPECT_TRUE(dialog.ListedNames().isEmpty());
    subfolders->click();
    tip = dialog.findChild<QWidget*>(QStringLiteral("FileListBox1"))->toolTip();
    EXPECT_NE(tip.indexOf(QStringLiteral("エクセルファイル")), -1);
    EXPECT_FALSE(formats->isChecked());
    testsupport::ScanAndWait(dialog);  // nothing listed: says so and closes
  });
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    auto* formats = dialog.findChild<QCheckBox*>(QStringLiteral("NewerFormatsCheck"));
    EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("SubfoldersCheck"))->isChecked());
    dialog.OpenFolder(QString::fromStdString(documents.path()));
    formats->click();
    EXPECT_EQ(dialog.ListedNames(), (QStringList{"b.docx", "2024/a.xlsx", "2024/03/z.pptx"}));
    tip = dialog.findChild<QWidget*>(QStringLiteral("FileListBox1"))->toolTip();
    testsupport::ScanAndWait(dialog);
  });
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_EQ(dialogs.shown[0],
            QStringLiteral("information: ") + QString::fromStdString(documents.path()) +
                QStringLiteral("\r\n上記フォルダーにエクセルファイルは見つかりませんでした\r\n"
                               ".docx などの文書が 3 件あります。"
                               "「新しい形式も読む」をオンにすると一覧にできます。"));
  EXPECT_EQ(tip, QStringLiteral("指定されたフォルダーの中に含まれる文書を表示しています"));
  EXPECT_EQ(Cell(0, 1), "b.docx");
  EXPECT_EQ(Cell(0, 2), "2024/a.xlsx");
  EXPECT_EQ(Cell(0, 3), "2024/03/z.pptx");
  EXPECT_EQ(
      platform::IniFile::Load(paths.SettingsFile()).ReadInteger("folder_select", "subfolders", -1),
      1);

  // A subfolder that cannot be opened is named in the scan's summary.
  {
    testsupport::TooLongPath unreadable(documents.path());
    FolderCommand([&](catalogue::FolderDialog& dialog) {
      dialog.OpenFolder(QString::fromStdString(documents.path()));
      testsupport::ScanAndWait(dialog);
    });
  }
  ASSERT_EQ(dialogs.shown.size(), 2);
  EXPECT_TRUE(dialogs.shown[1].startsWith(
      QStringLiteral("list: 読まなかったフォルダーが 1 件あります。\n")))
      << dialogs.shown[1].toStdString();
  EXPECT_TRUE(dialogs.shown[1].contains(QStringLiteral("フォルダーを開けません")));
  EXPECT_EQ(Cell(0, 3), "2024/03/z.pptx");  // the documents still listed
}

TEST_F(MainWindowFixture, TheNewerFormatsCheckBoxListsAndReadsThemAndIsRemembered) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 1);
  testsupport::WriteZip(documents.File("b.docx"),
                        testsupport::DocxParts(testsupport::CorePropertiesXml(
                            "<dc:title>\xE6\x96\xB0\xE3\x81\x97\xE3\x81\x84</dc:title>")));
  testsupport::WriteZip(documents.File("c.odt"),
                        testsupport::OdtParts(testsupport::OpenDocumentMetaXml(
                            "<meta:initial-creator>Ode</meta:initial-creator>")));
  documents.Write("d.rtf", "{\\rtf1{\\info{\\author Rita}}}");
  classicFormatsOnly = false;  // a fresh settings file: the first start's choice
  Start();
  QStringList classic;
  QStringList newer;
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    auto* check = dialog.findChild<QCheckBox*>(QStringLiteral("NewerFormatsCheck"));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(),
              QStringLiteral("新しい形式も読む（.docx・.xlsx・.pptx・.odt・PDF など）"));
    EXPECT_TRUE(check->isChecked());  // on at first start: today's documents list
    EXPECT_EQ(NextTabStop(dialog.findChild<QWidget*>(QStringLiteral("FileListBox1"))), check);
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    newer = dialog.ListedNames();
    check->click();  // the list follows at once
    classic = dialog.ListedNames();
    check->click();
    testsupport::ScanAndWait(dialog);
  });
  EXPECT_EQ(classic, (QStringList{"d.rtf", "doc00000.doc"}));
  EXPECT_EQ(newer, (QStringList{"b.docx", "c.odt", "d.rtf", "doc00000.doc"}));
  EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.value(0).toStdString();
  EXPECT_EQ(Cell(0, 1), "b.docx");
  EXPECT_EQ(Cell(1, 1), "新しい");
  EXPECT_EQ(Cell(0, 2), "c.odt");
  EXPECT_EQ(Cell(4, 2), "Ode");
  EXPECT_EQ(Cell(4, 3), "Rita");
  EXPECT_EQ(Cell(0, 4), "doc00000.doc");
  EXPECT_EQ(platform::IniFile::Load(paths.SettingsFile())
                .ReadInteger("folder_select", "newer_formats", -1),
            1);

  // The next start keeps the choice; turning it off lists the classic
  // documents only and is kept too.
  Stop();
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    auto* check = dialog.findChild<QCheckBox*>(QStringLiteral("NewerFormatsCheck"));
    EXPECT_TRUE(check->isChecked());
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    EXPECT_EQ(dialog.ListedNames().size(), 4);
    check->click();
    EXPECT_EQ(dialog.ListedNames().size(), 2);
    dialog.CancelOrClose();
  });
  EXPECT_EQ(platform::IniFile::Load(paths.SettingsFile())
                .ReadInteger("folder_select", "newer_formats", -1),
            0);
}

// A settings file an older version wrote, without the choice: the classic
// list stays, as that user had it.
TEST_F(MainWindowFixture, AnOlderSettingsFileKeepsTheClassicList) {
  programFolder.Write("quillmark_wd.ini", "[fquillmark_wd]\r\nwidth=900\r\n");
  classicFormatsOnly = false;
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    EXPECT_FALSE(dialog.findChild<QCheckBox*>(QStringLiteral("NewerFormatsCheck"))->isChecked());
    dialog.CancelOrClose();
  });
}

TEST_F(MainWindowFixture, CsvIsWrittenAsTheTypeChosenAndThatTypeIsOfferedNextTime) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 2);
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    testsupport::ScanAndWait(dialog);
  });
  QString csv = QString::fromStdString(programFolder.File("out.csv"));
  dialogs.saveNames = {csv};
  dialogs.saveTypes = {1};  // CSV UTF-8
  window->ExportCsv();
  std::string utf8 = ReadAll(csv.toStdString());
  EXPECT_EQ(utf8.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(std::count(utf8.begin(), utf8.end(), '\n'), 3);  // headings and two documents
  EXPECT_EQ(
      platform::IniFile::Load(paths.SettingsFile()).ReadInteger("fquillmark_wd", "csv_type", -1),
      1);

  dialogs.saveNames = {csv};  // the type offered is kept
  window->ExportCsv();
  EXPECT_EQ(ReadAll(csv.toStdString()), utf8);
  dialogs.saveNames = {csv};
  dialogs.saveTypes = {0};
  window->ExportCsv();
  EXPECT_EQ(ReadAll(csv.toStdString()).substr(0, 13), "doc00000.doc,");
  dialogs.saveTypes = {1};
  window->ExportCsv();  // cancelled: nothing written, the choice stays
  EXPECT_EQ(dialogs.offeredTypes, (QList<int>{0, 1, 1, 0}));
  EXPECT_EQ(
      platform::IniFile::Load(paths.SettingsFile()).ReadInteger("fquillmark_wd", "csv_type", -1),
      0);
}

// The export is offered in the folder of the last one, named after the
// folder listed and the date, also after a restart and whatever characters
// the folders hold.
TEST_F(MainWindowFixture, CsvIsOfferedWhereTheLastWentNamedAfterTheFolderAndDate) {
  testsupport::TempDir documents;
  std::string listed = documents.File("報告_김민수");
  std::filesystem::create_directory(listed);
  testsupport::WriteNumberedDocuments(listed, 2);
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.OpenFolder(QString::fromStdString(listed));
    testsupport::ScanAndWait(dialog);
  });
  QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
  QString name = QStringLiteral("報告_김민수_") + today + QStringLiteral(".csv");
  window->ExportCsv();  // cancelled
  EXPECT_EQ(dialogs.offeredNames.back(), QDir::home().filePath(name));
  QString exports = QString::fromStdString(documents.File("𠮷 exports"));
  QDir().mkpath(exports);
  dialogs.saveNames = {exports + QStringLiteral("/mine.csv")};
  window->ExportCsv();
  Stop();
  Start();
  window->OpenLastList();
  window->ExportCsv();
  EXPECT_EQ(dialogs.offeredNames.back(), exports + QLatin1Char('/') + name);
}

TEST_F(MainWindowFixture, ADroppedFolderOpensTheDialogThereAndIsOfferedAgainNextStart) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 3);
  Start();
  QMimeData file;
  file.setUrls({QUrl::fromLocalFile(QString::fromStdString(documents.File("doc00000.doc")))});
  QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &refused);
  EXPECT_FALSE(refused.isAccepted());  // a document is not a folder

  QMimeData folder;
  folder.setUrls({QUrl(QStringLiteral("https://example.invalid/")),
                  QUrl::fromLocalFile(QString::fromStdString(documents.path()))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &folder, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  // Inside the dialog the drop opens: scan the folder it shows.
  QString shown;
  bool done = false;
  QTimer inside;
  QObject::connect(&inside, &QTimer::timeout, [&] {
    if (folderDialog->isVisible() && !done) {
      done = true;
      shown = folderDialog->ListDirectory();
      testsupport::ScanAndWait(*folderDialog);
    }
  });
  inside.start(10);
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &folder, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  for (int i = 0; i < 200 && !done; ++i) {
    QTest::qWait(10);
  }
  inside.stop();
  EXPECT_EQ(shown, QString::fromStdString(documents.path()));
  EXPECT_EQ(Cell(0, 3), "doc00002.doc");

  // The next start's dialog opens on the folder scanned last.
  Stop();
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    shown = dialog.ListDirectory();
    EXPECT_EQ(dialog.ListedNames().size(), 3);
    dialog.CancelOrClose();
  });
  EXPECT_EQ(shown, QString::fromStdString(documents.path()));
}

// quillmark_wd FOLDER (or a file in it, as a launcher passes %F): the folder
// dialog opens there; a path that is no folder is said.
TEST_F(MainWindowFixture, AFolderGivenAtStartOpensTheDialogThere) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 2);
  Start();
  QString shown;
  WithDialog<catalogue::FolderDialog>(
      folderDialog,
      [&](catalogue::FolderDialog& dialog) {
        shown = dialog.ListDirectory();
        dialog.CancelOrClose();
      },
      [&] { window->OpenFolderDialogOn(QString::fromStdString(documents.File("doc00001.doc"))); });
  EXPECT_EQ(shown, QString::fromStdString(documents.path()));

  window->OpenFolderDialogOn(QString::fromStdString(documents.File("nowhere/else")));
  ASSERT_FALSE(dialogs.shown.isEmpty());
  EXPECT_TRUE(dialogs.shown.last().contains(QStringLiteral("フォルダーが見つかりません")));
}

// A last folder on a file server that stopped answering holds the start
// no longer than a moment: the dialog says it waits, and opens the folder
// once the server answers. A folder handed to the window from such a
// server is said the same way.
TEST_F(MainWindowFixture, AFileServerThatDoesNotAnswerNeverHoldsTheWindow) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 2);
  std::string silent = documents.path();
  programFolder.Write("quillmark_wd.ini", "[folder_select]\r\nlast_folder=" + silent + "\r\n");
  std::atomic<bool> answers{false};
  platform::SetPathLookForTests([&](const std::string& path) {
    while (path == silent && !answers.load()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) != 0 ? platform::PathKind::Missing
           : S_ISDIR(st.st_mode)          ? platform::PathKind::Folder
                                          : platform::PathKind::File;
  });
  auto start = std::chrono::steady_clock::now();
  Start();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  auto* status = folderDialog->findChild<QStatusBar*>();
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(status->currentMessage().startsWith(QStringLiteral("応答を待っています…")));
  EXPECT_NE(folderDialog->ListDirectory(), QString::fromStdString(silent));

  // Handed over from a silent server: said in the status line, nothing opened.
  window->OpenFolderDialogOn(QString::fromStdString(silent));
  EXPECT_TRUE(
      window->statusBar()->currentMessage().startsWith(QStringLiteral("応答を待っています…")));
  EXPECT_FALSE(folderDialog->isVisible());

  answers = true;
  QElapsedTimer waited;
  waited.start();
  while (folderDialog->ListDirectory() != QString::fromStdString(silent) &&
         waited.elapsed() < 10000) {
    QTest::qWait(50);
  }
  EXPECT_EQ(folderDialog->ListDirectory(), QString::fromStdString(silent));
  EXPECT_EQ(status->currentMessage(), QString());
  while (platform::RunningWork::Any()) {
    QTest::qWait(5);  // the probes end before what they look with goes
  }
  platform::SetPathLookForTests({});
}

TEST_F(MainWindowFixture, SortingAndOpeningTheDocumentOfARow) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 3);
  Start();
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.OpenFolder(QString::fromStdString(documents.path()));
    testsupport::ScanAndWait(dialog);
  });
  window->Item(QStringLiteral("SortDescending0"))->trigger();
  EXPECT_EQ(Cell(0, 1), "doc00002.doc");
  EXPECT_EQ(Cell(0, 3), "doc00000.doc");
  auto* sortMenu = window->findChild<QMenu*>(QStringLiteral("SortMenu"));
  ASSERT_NE(sortMenu, nullptr);
  EXPECT_EQ(sortMenu->title(), QStringLiteral("並べ替え(&S)"));
  window->Item(QStringLiteral("SortAscending8"))->trigger();  // revisions 1, 2, 3
  EXPECT_EQ(Cell(8, 1), "1");
  EXPECT_EQ(Cell(8, 3), "3");

  SelectRow(2);
  window->Item(QStringLiteral("OpenDocument"))->trigger();
  ASSERT_EQ(desktop.opened.size(), 1);
  EXPECT_EQ(desktop.opened[0],
            QUrl::fromLocalFile(QString::fromStdString(documents.File("doc00001.doc"))).toString());
  std::filesystem::remove(documents.File("doc00001.doc"));
  window->Item(QStringLiteral("OpenDocument"))->trigger();
  EXPECT_EQ(desktop.opened.size(), 1);
  EXPECT_TRUE(dialogs.shown.back().startsWith(QStringLiteral("message: 文書が見つかりません")));
  // A name the list records otherwise than the disk spells it: ";" is
  // recorded as "；", so the recorded name names no file, yet one file
  // records so.
  SelectRow(1);
  std::string name = Cell(0, 1);
  std::filesystem::rename(documents.File(name), documents.File("x;" + name));
  SetCell(0, 1, "x；" + name);
  window->Item(QStringLiteral("OpenDocument"))->trigger();
  ASSERT_EQ(desktop.opened.size(), 2);
  EXPECT_EQ(desktop.opened[1],
            QUrl::fromLocalFile(QString::fromStdString(documents.File("x;" + name))).toString());
  SelectRow(10);  // no document there
  window->Item(QStringLiteral("OpenDocument"))->trigger();
  EXPECT_EQ(dialogs.shown.back(), QStringLiteral("info: 開く文書はありません"));
}

TEST_F(MainWindowFixture, DuringAScanTheDialogTakesOnlyCancel) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 30);
  testsupport::TempDir other;
  testsupport::WriteNumberedDocuments(other.path(), 3);
  catalogue::WriteListFile(paths.ListFile(), {"kept.doc;;;;;;;;;;;"});
  Start();
  QString status;
  bool stillOpen = false;
  bool pathEnabledDuringScan = true;
  QString listedDuringScan;
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    dialog.SetProgressDelay(0);
    dialog.SetDocumentSource([] { return std::make_unique<SlowSource>(); });
    // Once the scan runs: a second run, another folder and then Escape on
    // the dialog itself, in that order.
    bool pressed = false;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
      auto* progress = dialog.findChild<QProgressDialog*>();
      if (pressed || progress == nullptr || !progress->isVisible()) {
        return;
      }
      pressed = true;
      pathEnabledDuringScan =
          dialog.findChild<QLineEdit*>(QStringLiteral("PathEdit"))->isEnabled() ||
          dialog.findChild<QWidget*>(QStringLiteral("NewerFormatsCheck"))->isEnabled();
      dialog.Scan();  // one scan at a time: does nothing
      dialog.SelectFolder(QString::fromStdString(other.path()));
      dialog.ShowSelectedFolder();
      listedDuringScan = dialog.ListDirectory();
      QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    during.start(0);
    testsupport::ScanAndWait(dialog);
    during.stop();
    stillOpen = dialog.isVisible();
    status = dialog.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->currentMessage();
    EXPECT_TRUE(dialog.findChild<QLineEdit*>(QStringLiteral("PathEdit"))->isEnabled());
    dialog.CancelOrClose();
  });
  EXPECT_FALSE(pathEnabledDuringScan);
  EXPECT_EQ(listedDuringScan, QString::fromStdString(documents.path()));
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(status.contains(QStringLiteral("中止"))) << status.toStdString();
  EXPECT_EQ(ReadAll(paths.ListFile()), "kept.doc;;;;;;;;;;;\r\n");
  EXPECT_TRUE(window->FolderLabel()->text().isEmpty());
}

// A document that takes as long as the test says: reading it waits until
// the gate opens (a document on a share that stopped answering).
struct Gate {
  std::mutex mutex;
  std::condition_variable opened;
  bool open = false;
  bool waiting = false;
};

class StuckSource : public catalogue::SummaryStreamSource {
 public:
  explicit StuckSource(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {}
  catalogue::SummaryStream ReadSummaryStream(const std::string& path) override {
    std::unique_lock<std::mutex> lock(gate_->mutex);
    gate_->waiting = true;
    gate_->opened.wait_for(lock, std::chrono::seconds(30), [&] { return gate_->open; });
    gate_->waiting = false;
    lock.unlock();
    return inner_.ReadSummaryStream(path);
  }

 private:
  std::shared_ptr<Gate> gate_;
  catalogue::MsoleSummarySource inner_;
};

TEST_F(MainWindowFixture, CancelAnswersAtOnceWhileAFileIsStillBeingRead) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 3);
  catalogue::WriteListFile(paths.ListFile(), {"kept.doc;;;;;;;;;;;"});
  Start();
  auto gate = std::make_shared<Gate>();
  bool stuckWhenAnswered = false;
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    dialog.SetProgressDelay(0);
    dialog.SetDocumentSource([gate] { return std::make_unique<StuckSource>(gate); });
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
      auto* progress = dialog.findChild<QProgressDialog*>();
      std::lock_guard<std::mutex> lock(gate->mutex);
      if (progress && progress->isVisible() && gate->waiting) {
        progress->cancel();
      }
    });
    cancel.start(0);
    testsupport::ScanAndWait(dialog);  // returns on the cancel, the first file still being read
    cancel.stop();
    {
      std::lock_guard<std::mutex> lock(gate->mutex);
      stuckWhenAnswered = gate->waiting;
    }
    dialog.CancelOrClose();
  });
  EXPECT_TRUE(stuckWhenAnswered);
  // The scan's thread ends by itself once its file is read, and writes
  // nothing.
  {
    std::lock_guard<std::mutex> lock(gate->mutex);
    gate->open = true;
  }
  gate->opened.notify_all();
  for (int i = 0; i < 500 && platform::RunningWork::Any(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(platform::RunningWork::Any());
  EXPECT_EQ(ReadAll(paths.ListFile()), "kept.doc;;;;;;;;;;;\r\n");
}

// A folder that cannot be read (or whose server cannot be reached) is said
// in the status line, not shown as a folder without documents; the scan
// names why and the dialog stays for another folder.
TEST_F(MainWindowFixture, AnUnreadableFolderIsSaidInTheStatusLineAndTheScanStays) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 2);
  catalogue::WriteListFile(paths.ListFile(), {"kept.doc;;;;;;;;;;;"});
  Start();
  std::string refused = documents.path();
  folderDialog->SetFolderLister([refused](const std::string& folder,
                                          catalogue::DocumentFormats formats,
                                          catalogue::Subfolders subfolders) {
    if (folder == refused) {
      throw platform::UserError(
          platform::FileErrorMessage("フォルダーを開けません", folder, EACCES));
    }
    return catalogue::ListDocumentFiles(folder, formats, subfolders);
  });
  QString status;
  bool stillOpen = false;
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.OpenFolder(QString::fromStdString(documents.path()));
    EXPECT_TRUE(dialog.ListedNames().isEmpty());
    EXPECT_EQ(dialog.Listing().CurrentState(), catalogue::FolderListing::State::Failed);
    status = dialog.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->currentMessage();
    testsupport::ScanAndWait(dialog);
    stillOpen = dialog.isVisible();
    dialog.CancelOrClose();
  });
  EXPECT_EQ(status, QStringLiteral("フォルダーを読めません: アクセスが拒否されました"));
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].contains(QStringLiteral("フォルダーを開けません")))
      << dialogs.shown[0].toStdString();
  EXPECT_EQ(ReadAll(paths.ListFile()), "kept.doc;;;;;;;;;;;\r\n");
}

// A folder on a server that is slow to answer: the window goes on answering
// while it is listed, and shows it once listed unless another was chosen.
TEST_F(MainWindowFixture, AFolderSlowToListLeavesTheWindowAnsweringAndShowsItWhenListed) {
  testsupport::TempDir slow;
  testsupport::TempDir quick;
  testsupport::WriteNumberedDocuments(slow.path(), 3);
  testsupport::WriteNumberedDocuments(quick.path(), 2);
  Start();
  auto gate = std::make_shared<Gate>();
  std::string slowPath = slow.path();
  folderDialog->SetFolderLister([gate, slowPath](const std::string& folder,
                                                 catalogue::DocumentFormats formats,
                                                 catalogue::Subfolders subfolders) {
    if (folder == slowPath) {
      std::unique_lock<std::mutex> lock(gate->mutex);
      gate->opened.wait_for(lock, std::chrono::seconds(30), [&] { return gate->open; });
    }
    return catalogue::ListDocumentFiles(folder, formats, subfolders);
  });
  // Chosen before the dialog shows (a folder dropped on the main window).
  QElapsedTimer answered;
  answered.start();
  folderDialog->OpenFolder(QString::fromStdString(slow.path()));
  EXPECT_LT(answered.elapsed(), 2000);  // not the 30 s the server takes
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("FileListBox1"));
    auto* scan = dialog.findChild<QPushButton*>(QStringLiteral("GradBtn1"));
    auto* status = dialog.findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    ASSERT_TRUE(list && scan && status);
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(scan->isEnabled());
    EXPECT_EQ(status->currentMessage(), QStringLiteral("フォルダーの中を調べています..."));

    // The list as soon as it shows (at once, or a moment later).
    auto listed = [&](int count) {
      for (int i = 0; i < 500 && list->count() != count; ++i) {
        QTest::qWait(10);
      }
      return list->count();
    };
    // Another folder chosen meanwhile is listed, and stays listed when the
    // first one's names come.
    dialog.OpenFolder(QString::fromStdString(quick.path()));
    EXPECT_EQ(listed(2), 2);
    EXPECT_TRUE(scan->isEnabled());
    EXPECT_TRUE(status->currentMessage().isEmpty());

    // Chosen again: shown once the server answers.
    dialog.OpenFolder(QString::fromStdString(slow.path()));
    EXPECT_EQ(list->count(), 0);
    {
      std::lock_guard<std::mutex> lock(gate->mutex);
      gate->open = true;
    }
    gate->opened.notify_all();
    EXPECT_EQ(listed(3), 3);
    EXPECT_EQ(dialog.ListDirectory(), QString::fromStdString(slow.path()));
    EXPECT_TRUE(scan->isEnabled());
    EXPECT_TRUE(status->currentMessage().isEmpty());
    dialog.CancelOrClose();
  });
  for (int i = 0; i < 500 && platform::RunningWork::Any(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(platform::RunningWork::Any());
}

// A disk that goes away in the middle of a scan.
// (Its third document fails, whichever of the scan's readers reads it.)
class FailingSource : public catalogue::SummaryStreamSource {
 public:
  catalogue::SummaryStream ReadSummaryStream(const std::string& path) override {
    if (path.size() >= 12 && path.compare(path.size() - 12, 12, "doc00002.doc") == 0) {
      throw platform::UserError("ファイルを読み込めません: " + path);
    }
    return inner_.ReadSummaryStream(path);
  }

 private:
  catalogue::MsoleSummarySource inner_;
};

TEST_F(MainWindowFixture, AScanThatFailsShowsWhyAndChangesNothing) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 10);
  catalogue::WriteListFile(paths.ListFile(), {"kept.doc;;;;;;;;;;;"});
  Start();
  // Read by the scan's own reader alone, and with other threads reading too.
  for (const char* threads : {"0", "3"}) {
    SCOPED_TRACE(threads);
    ::setenv("QUILL_READ_THREADS", threads, 1);
    dialogs.shown.clear();
    bool stillOpen = false;
    bool runEnabled = false;
    FolderCommand([&](catalogue::FolderDialog& dialog) {
      dialog.SelectFolder(QString::fromStdString(documents.path()));
      dialog.ShowSelectedFolder();
      dialog.SetDocumentSource([] { return std::make_unique<FailingSource>(); });
      testsupport::ScanAndWait(dialog);
      stillOpen = dialog.isVisible();
      runEnabled = dialog.findChild<QWidget*>(QStringLiteral("GradBtn1"))->isEnabled();
      dialog.CancelOrClose();
    });
    ::unsetenv("QUILL_READ_THREADS");
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(runEnabled);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].contains(QStringLiteral("ファイルを読み込めません")))
        << dialogs.shown[0].toStdString();
    EXPECT_EQ(ReadAll(paths.ListFile()), "kept.doc;;;;;;;;;;;\r\n");
    EXPECT_TRUE(window->FolderLabel()->text().isEmpty());
  }
}

TEST_F(MainWindowFixture, AListFileThatCannotBeWrittenKeepsTheDialogOpen) {
  testsupport::TempDir documents;
  testsupport::WriteNumberedDocuments(documents.path(), 1);
  Start();
  std::filesystem::create_directory(paths.ListFile());  // a folder where the file would go
  bool stillOpen = false;
  FolderCommand([&](catalogue::FolderDialog& dialog) {
    dialog.SelectFolder(QString::fromStdString(documents.path()));
    dialog.ShowSelectedFolder();
    testsupport::ScanAndWait(dialog);
    stillOpen = dialog.isVisible();
    dialog.CancelOrClose();
  });
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].startsWith(QStringLiteral("error: ")));
  EXPECT_TRUE(window->FolderLabel()->text().isEmpty());
}

TEST(QtTexts, QtsOwnDialogsSpeakJapaneseWhateverTheLocale) {
  // The tests run with the program's own set-up; the locale here is C.
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
  QString question =
      QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
  EXPECT_TRUE(question.contains(QStringLiteral("既に存在")) ||
              question.contains(QStringLiteral("置き換え")))
      << question.toStdString();
}

TEST_F(MainWindowFixture, ExitClosesTheWindowAndSavesTheWidths) {
  Start();
  window->Item(QStringLiteral("Exit1"))->trigger();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(ReadAll(paths.ColumnWidthFile()).substr(0, 16), "[Version]=1.00\r\n");
  EXPECT_EQ(window->Item(QStringLiteral("N8"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  EXPECT_EQ(window->Item(QStringLiteral("Exit1"))->shortcut(), QKeySequence(Qt::Key_End));
  EXPECT_NE(window->Item(QStringLiteral("N34")), nullptr);
}

}  // namespace
}  // namespace app
