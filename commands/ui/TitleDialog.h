#pragma once

#include <string>

#include "catalogue/core/FolderAndTitle.h"
#include "commands/core/TitleHistory.h"
#include "widgets/PlainDialog.h"

class QComboBox;
class QPushButton;

namespace widgets {
class Dialogs;
}

namespace commands {

// The report-title dialog: an editable drop-down of the titles used before.
// 実　行 sets the report title; every close puts the box's text at the front
// of the history, which is saved when the dialog is destroyed.
class TitleDialog : public widgets::PlainDialog {
  Q_OBJECT

 public:
  TitleDialog(catalogue::FolderAndTitle& folderAndTitle, std::string historyPath,
              widgets::Dialogs& dialogs, QWidget* parent = nullptr);
  ~TitleDialog() override;

  QComboBox* TitleList() const { return titleList_; }

 public slots:
  void Confirm() override;
  void Cancel() override;
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Puts the box's text at the front of the history.
  void RememberTitle();
  void FillList();

  catalogue::FolderAndTitle& folderAndTitle_;
  std::string historyPath_;
  widgets::Dialogs& dialogs_;
  TitleHistory history_;
  QComboBox* titleList_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace commands
