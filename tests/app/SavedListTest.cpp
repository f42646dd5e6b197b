// The list the user tidied is kept: nothing done on the blank grid of a
// fresh start replaces it, and 前回の一覧を開く brings it back whole.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "tests/app/ProgramFixture.h"
#include "tests/support/SampleDocuments.h"
#include "tests/support/ScanAndWait.h"
#include "widgets/FrozenColumnTable.h"

namespace app {
namespace {

using testsupport::ReadAll;

constexpr const char* kListCommands[] = {"N21", "N19", "N22", "N23", "N31", "N32", "N33", "N34"};

TEST_F(ProgramFixture, NoCommandOnTheBlankStartUpGridTouchesTheSavedList) {
  catalogue::WriteListFile(
      paths.ListFile(), {"a.doc;Alpha;;;;;;;;;;", "b.doc;Beta;;;;;;;;;;", "c.doc;Gamma;;;;;;;;;;"});
  programFolder.Write("quillmark_wd.ini",
                      "[fquillmark_wd]\r\nlist_folder=/docs/x\r\nlist_title=Report\r\n");
  const std::string list = ReadAll(paths.ListFile());
  Start();
  for (const char* name : kListCommands) {
    EXPECT_FALSE(window->Item(QString::fromLatin1(name))->isEnabled()) << name;
  }
  EXPECT_FALSE(window->findChild<QMenu*>(QStringLiteral("SortMenu"))->isEnabled());

  // Every way a user reaches a list command, on a row chosen as a click
  // chooses it: the items, their keys, a heading's click, a row held and
  // dragged, the title. Every question is answered yes.
  const std::string settings = ReadAll(paths.SettingsFile());
  widgets::FrozenColumnTable* grid = window->Grid();
  QApplication::setActiveWindow(window.get());
  QTest::mouseClick(grid->ViewportOf(0), Qt::LeftButton, {}, grid->CellRect(0, 1).center());
  ASSERT_EQ(grid->CurrentRow(), 1);
  dialogs.answers.assign(40, widgets::Dialogs::Answer::First);
  for (const char* name : kListCommands) {
    window->Item(QString::fromLatin1(name))->trigger();
  }
  window->Item(QStringLiteral("SortAscending0"))->trigger();
  for (int key : {Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2}) {
    QTest::keyClick(grid, static_cast<Qt::Key>(key));
  }
  QTest::keyClick(grid, Qt::Key_Up, Qt::AltModifier);
  QTest::keyClick(grid, Qt::Key_Down, Qt::AltModifier);
  QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
  QTest::mouseClick(grid->HeaderOf(2)->viewport(), Qt::LeftButton, {},
                    grid->HeadingRect(2).center());
  QTest::mousePress(grid->ViewportOf(0), Qt::LeftButton, {}, grid->CellRect(0, 0).center());
  QTest::qWait(QApplication::startDragTime() + 150);
  QTest::mouseMove(grid->ViewportOf(0), grid->CellRect(0, 3).center());
  QTest::mouseRelease(grid->ViewportOf(0), Qt::LeftButton, {}, grid->CellRect(0, 3).center());
  WithDialog<commands::TitleDialog>(
      titleDialog,
      [](commands::TitleDialog& dialog) {
        dialog.TitleList()->setEditText(QStringLiteral("A new title"));
        dialog.Confirm();
      },
      [this] { window->Item(QStringLiteral("N30"))->trigger(); });
  window->DeleteSelectedRows();
  window->MoveSelectedUp();
  window->MoveSelectedDown();
  window->SortByHeading(1);
  window->SortRows(2, false);
  window->MoveDraggedRow(1, 3);
  window->EditSelectedRow();
  window->PrintReport();
  EXPECT_EQ(ReadAll(paths.ListFile()), list);
  EXPECT_EQ(ReadAll(paths.SettingsFile()), settings);  // its folder and title too
  EXPECT_EQ(grid->horizontalHeader()->sortIndicatorSection(), -1);
  Stop();
  EXPECT_EQ(ReadAll(paths.ListFile()), list);

  // The list comes back whole, with its folder and title, and only then
  // are the commands there.
  Start();
  window->Item(QStringLiteral("OpenLastList"))->trigger();
  EXPECT_EQ(Cell(1, 3), "Gamma");
  EXPECT_EQ(window->FolderAndTitle().Folder(), "/docs/x");
  EXPECT_EQ(window->FolderAndTitle().Title(), "Report");
  EXPECT_EQ(Cell(0, 1), "a.doc");
  for (const char* name : kListCommands) {
    EXPECT_TRUE(window->Item(QString::fromLatin1(name))->isEnabled()) << name;
  }
}

// A list file that cannot be read is said, and the list shown stays whole:
// never half replaced, so nothing half is written back later.
TEST_F(ProgramFixture, AListFileThatCannotBeReadLeavesTheListShownWhole) {
  Start();
  OpenList({"a.doc;Alpha;;;;;;;;;;", "b.doc;Beta;;;;;;;;;;"});
  std::filesystem::remove(paths.ListFile());
  std::filesystem::create_directory(paths.ListFile());  // read as no file can be
  dialogs.shown.clear();
  window->OpenLastList();
  ASSERT_EQ(dialogs.shown.size(), 1);
  EXPECT_TRUE(dialogs.shown[0].startsWith(QStringLiteral("error: ")))
      << dialogs.shown[0].toStdString();
  EXPECT_EQ(Cell(1, 2), "Beta");
  EXPECT_TRUE(window->Item(QStringLiteral("N19"))->isEnabled());
}

// A folder and a title with characters code page 932 lacks are kept whole
// (the settings file keeps its code page 932 form beside them), so after a
// kill the reopened list prints under its own folder and title.
TEST_F(ProgramFixture, AFolderAndTitleOfAnyCharacterSurviveAKillAndTheHistory) {
  const std::string texts[] = {
      "Rapport \xC3\xA9 2026 \xE7\x9B\xAE\xE9\x8C\xB2",                 // Rapport é 2026 目録
      "\xE5\xA0\xB1\xE5\x91\x8A_\xEA\xB9\x80\xEB\xAF\xBC\xEC\x88\x98",  // 報告_김민수
      "\xF0\xA0\xAE\xB7",                                               // 𠮷
  };
  testsupport::TempDir documents;
  for (const std::string& text : texts) {
    std::string folder = documents.File(text);
    std::filesystem::create_directory(folder);
    testsupport::WriteNumberedDocuments(folder, 2);
    Start();
    FolderCommand([&](catalogue::FolderDialog& dialog) {
      dialog.OpenFolder(QString::fromStdString(folder));
      testsupport::ScanAndWait(dialog);
    });
    WithDialog<commands::TitleDialog>(
        titleDialog,
        [&](commands::TitleDialog& dialog) {
          dialog.TitleList()->setEditText(QString::fromStdString(text));
          dialog.Confirm();
        },
        [this] { window->EnterReportTitle(); });
    // Killed here: what a close writes is put back as it stood.
    std::string settings = ReadAll(paths.SettingsFile());
    std::string list = ReadAll(paths.ListFile());
    Stop();
    programFolder.Write("quillmark_wd.ini", settings);
    programFolder.Write(platform::kListFileName, list);

    Start();
    window->Item(QStringLiteral("OpenLastList"))->trigger();
    EXPECT_EQ(window->FolderAndTitle().Folder(), folder);
    EXPECT_EQ(window->FolderAndTitle().Title(), text);
    EXPECT_EQ(window->TitlePanel()->text(), QString::fromStdString(text));
    EXPECT_EQ(Cell(0, 2), "doc00001.doc");
    int printed = 0;
    UsePrintWindowsThatCloseAtOnce(printed);
    window->PrintReport();
    EXPECT_EQ(printed, 1) << text;
    EXPECT_EQ(titleDialog->TitleList()->findText(QString::fromStdString(text)), 0);
    Stop();
  }
  Start();
  ASSERT_EQ(titleDialog->TitleList()->count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(titleDialog->TitleList()->itemText(i).toStdString(), texts[2 - i]);
  }
}

}  // namespace
}  // namespace app
