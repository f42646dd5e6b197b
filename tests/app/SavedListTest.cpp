// The list the user tidied is kept: nothing done on the blank grid of a
// fresh start replaces it, and 前回の一覧を開く brings it back whole.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

#include "tests/app/ProgramFixture.h"
#include "widgets/StringGrid.h"

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

  // Every way a user reaches a list command: the items, their keys, the
  // handlers behind the grid's clicks and drags. Every question is
  // answered yes.
  dialogs.answers.assign(20, widgets::Dialogs::Answer::First);
  for (const char* name : kListCommands) {
    window->Item(QString::fromLatin1(name))->trigger();
  }
  window->Item(QStringLiteral("SortAscending0"))->trigger();
  QApplication::setActiveWindow(window.get());
  for (int key : {Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2}) {
    QTest::keyClick(window->Grid(), static_cast<Qt::Key>(key));
  }
  QTest::keyClick(window->Grid(), Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window->Grid(), Qt::Key_Y, Qt::ControlModifier);
  window->DeleteSelectedRow();
  window->MoveSelectedUp();
  window->MoveSelectedDown();
  window->SortByHeading(1);
  window->SortRows(2, false);
  window->MoveDraggedRow(1, 3);
  window->EditSelectedRow();
  window->PrintReport();
  EXPECT_EQ(ReadAll(paths.ListFile()), list);
  Stop();
  EXPECT_EQ(ReadAll(paths.ListFile()), list);

  // The list comes back whole, with its folder and title, and only then
  // are the commands there.
  Start();
  window->Item(QStringLiteral("OpenLastList"))->trigger();
  EXPECT_EQ(Cell(1, 3), "Gamma");
  EXPECT_EQ(window->FolderAndTitle().Folder(), "/docs/x");
  EXPECT_EQ(window->FolderAndTitle().Title(), "Report");
  for (const char* name : kListCommands) {
    EXPECT_TRUE(window->Item(QString::fromLatin1(name))->isEnabled()) << name;
  }
}

}  // namespace
}  // namespace app
