#pragma once

#include <array>

#include "catalogue/core/DocumentList.h"
#include "widgets/PlainDialog.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace commands {

// The row-edit dialog: five fields of one row of the document list (title,
// subject, author, keywords, comments) edited for printing only. Made once
// at start and reused; exec() answers Accepted when 実　行 put the boxes into
// the row.
class RowEditDialog : public widgets::PlainDialog {
  Q_OBJECT

 public:
  RowEditDialog(catalogue::DocumentList& list, QWidget* parent = nullptr);

  // The list row the next showing edits.
  void SetRow(int row) { row_ = row; }

  QLineEdit* Box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }
  QString GroupCaption() const;

 public slots:
  void Confirm() override;
  void Cancel() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Fills the caption and the boxes from the row.
  void ShowRow();

  catalogue::DocumentList& list_;
  int row_ = 0;
  QGroupBox* fieldsGroup_ = nullptr;
  std::array<QLineEdit*, 5> boxes_{};
  std::array<QString, 5> shown_;
  QLabel* noticeLabel_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

// The fields of the five boxes: title, subject, author, keywords, comments.
inline constexpr std::array<int, 5> kEditedColumns = {1, 3, 4, 5, 6};

}  // namespace commands
