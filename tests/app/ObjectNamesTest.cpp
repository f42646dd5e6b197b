// Every window, control and action that tests, screenshots and the
// manual refer to is found by its object name, whatever the code calls it.

#include <gtest/gtest.h>
#include <QApplication>
#include <QMenu>
#include <QStringList>

#include "designer/ui/StyleDesigner.h"
#include "printing/ui/PrintWindow.h"
#include "tests/app/PrintWindowWithDesigner.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/FakePrinter.h"
#include "tests/support/PrintWindowServicesForTests.h"

namespace app {
namespace {

// Whether an object belongs to the window `root` itself, not to a dialog
// or window that `root` owns.
bool InWindow(const QObject* object, const QWidget& root) {
  for (; object != nullptr; object = object->parent()) {
    // A menu is a window of its own while it pops up; it belongs to the
    // window it hangs from.
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (widget != nullptr && qobject_cast<const QMenu*>(object) == nullptr) {
      return widget->window() == &root;
    }
  }
  return false;
}

// The names of `names` that neither `root` nor an object of its own window
// has.
QStringList Missing(const QWidget& root, const QStringList& names) {
  QStringList missing;
  for (const QString& name : names) {
    bool found = root.objectName() == name;
    for (const QObject* object : root.findChildren<QObject*>(name)) {
      found = found || InWindow(object, root);
    }
    if (!found) {
      missing << name;
    }
  }
  return missing;
}

TEST_F(ProgramFixture, TheMainWindowAndItsDialogsKeepTheirObjectNames) {
  Start();
  EXPECT_EQ(Missing(*window, {"fquillmark_wd",
                              "GradPan1",
                              "GradPan2",
                              "GradBtn1",
                              "WKINDPL",
                              "title",
                              "StrColGrid1",
                              "StatusBar1",
                              "PopupMenu1",
                              "N1",
                              "N8",
                              "Exit1",
                              "N21",
                              "N19",
                              "N22",
                              "N23",
                              "N30",
                              "N14",
                              "N15",
                              "N17",
                              "N18",
                              "CSV1",
                              "N10",
                              "N2",
                              "N3",
                              "N4",
                              "N5",
                              "N6",
                              "N7",
                              "N28",
                              "N31",
                              "N32",
                              "N33",
                              "N34",
                              "OpenDocument",
                              "SortMenu"}),
            QStringList());
  EXPECT_EQ(Missing(*folderDialog, {"ffolder_select", "GradPan2", "Label1", "PathEdit",
                                    "ShellTreeView1", "Splitter1", "FileListBox1",
                                    "NewerFormatsCheck", "GradBtn1", "GradBtn2", "StatusBar1"}),
            QStringList());
  EXPECT_EQ(Missing(*titleDialog, {"FTitle_Set", "title_list", "Button1", "Button2"}),
            QStringList());
  EXPECT_EQ(Missing(*editDialog, {"fdataedit", "XPGroupBox1", "Label1", "Button1", "Button2"}),
            QStringList());
  Stop();
}

TEST_F(ProgramFixture, ThePrintWindowAndTheDesignerKeepTheirObjectNames) {
  PrintWindowWithDesigner made(*this);
  printing::PrintWindow& print = made.window;
  print.show();
  QApplication::processEvents();
  EXPECT_EQ(Missing(print, {"fdataprint",
                            "GradBtn5",
                            "DesignButton",
                            "WKINDPL",
                            "GradBtn1",
                            "GradBtn2",
                            "GradBtn3",
                            "GradBtn4",
                            "TrackBar1",
                            "PictButton2",
                            "go",
                            "IconButton14",
                            "ofxbox",
                            "ofybox",
                            "PictButton1",
                            "PictButton3",
                            "PictButton4",
                            "PictButton5",
                            "CheckBox1",
                            "GradBtn6",
                            "BoxLabel1",
                            "OrientationLabel",
                            "ScrollBox1",
                            "panel1",
                            "PaintBox1",
                            "StatusBar2",
                            "ChangeStatus",
                            "LoadedStyleStatus",
                            "MessageStatus",
                            "OpenPdfFolder",
                            "IconButton11",
                            "IconButton6",
                            "IconButton12",
                            "IconButton4",
                            "IconButton18",
                            "IconButton9",
                            "dataread_command",
                            "N3",
                            "StyleDesign",
                            "N17",
                            "N6",
                            "print_command",
                            "exit_command",
                            "N1001",
                            "N1002",
                            "N1003",
                            "N1004",
                            "N101",
                            "N102",
                            "PAGETOP1",
                            "PAGE11",
                            "N5"}),
            QStringList());
  print.OpenDesigner();
  ASSERT_NE(print.Designer(), nullptr);
  EXPECT_EQ(Missing(*print.Designer(), {"fstyledesign",
                                        "DesignCanvas",
                                        "DesignScroll",
                                        "PropertyPanel",
                                        "PropertyDock",
                                        "PropertyHeading",
                                        "DesignStatus",
                                        "DesignMessage",
                                        "DesignTools",
                                        "ZoomBox",
                                        "PageLabel",
                                        "TagRow",
                                        "TagMenu",
                                        "DesignSave",
                                        "DesignSaveAs",
                                        "DesignClose",
                                        "DesignUndo",
                                        "DesignRedo",
                                        "DesignDuplicate",
                                        "DesignDelete",
                                        "DesignForward",
                                        "DesignBackward",
                                        "ShowData",
                                        "PreviousPage",
                                        "NextPage",
                                        "SnapGrid",
                                        "ZoomFit",
                                        "Addline",
                                        "Addrrect",
                                        "Addimage",
                                        "TagT",
                                        "Tagmaxline",
                                        "Tagma",
                                        "Tagmk",
                                        "NudgeLeft",
                                        "NudgeDownMm"}),
            QStringList());
  print.close();
}

}  // namespace
}  // namespace app
