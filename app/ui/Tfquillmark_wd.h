#pragma once

#include <QMainWindow>

#include "app/core/ProgramPaths.h"
#include "widgets/core/StringGridData.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;

namespace catalogue {
class Tffolder_select;
}
namespace widgets {
class Dialogs;
class GradientPanel;
class GradientButton;
class StringGrid;
}  // namespace widgets

namespace app {

// The main window: title bands, the folder button and label, the report
// title, the list grid of documents and the menus.
class Tfquillmark_wd : public QMainWindow {
  Q_OBJECT

 public:
  Tfquillmark_wd(const ProgramPaths& paths, widgets::Dialogs& dialogs, QWidget* parent = nullptr);
  ~Tfquillmark_wd() override;

  // The folder dialog the folder commands show (created after this window).
  void SetFolderDialog(catalogue::Tffolder_select* dialog) { folderDialog_ = dialog; }

  widgets::StringGridData& GridData() { return gridData_; }
  widgets::StringGrid* Grid() const { return StrColGrid1; }
  QLabel* FolderLabel() const { return WKINDPL; }
  QLabel* TitlePanel() const { return title; }
  // A menu or pop-up item by its name ("N1", "Exit1", "N31", ...).
  QAction* Item(const QString& name) const;

 public slots:
  void N1Click();
  void GradBtn1Click();
  void Exit1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildBands();
  void BuildMenus();
  QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                   const QKeySequence& shortcut = {});
  void FormShow();
  void RunFolderCommand();

  const ProgramPaths& paths_;
  widgets::Dialogs& dialogs_;
  catalogue::Tffolder_select* folderDialog_ = nullptr;
  widgets::StringGridData gridData_;
  bool shown_ = false;

  widgets::GradientPanel* GradPan1 = nullptr;
  widgets::GradientPanel* GradPan2 = nullptr;
  widgets::GradientButton* GradBtn1 = nullptr;
  QLabel* WKINDPL = nullptr;
  QLabel* title = nullptr;
  widgets::StringGrid* StrColGrid1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
};

}  // namespace app
