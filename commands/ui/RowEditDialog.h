#pragma once

#include <array>

#include "widgets/PlainDialog.h"
#include "widgets/core/StringGridData.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace commands {

// The row-edit dialog: five fields of the selected grid row (title,
// subject, author, keywords, comments) edited for printing only. Made once
// at start and reused; `Tag` is 0 after キャンセル, else left as the caller
// set it.
class RowEditDialog : public widgets::PlainDialog {
  Q_OBJECT

 public:
  RowEditDialog(widgets::StringGridData& grid, QWidget* parent = nullptr);

  int Tag = 1;

  QLineEdit* Box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }
  QString GroupCaption() const;

 public slots:
  void Confirm();
  void Cancel();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  widgets::StringGridData& grid_;
  QGroupBox* fieldsGroup_ = nullptr;
  std::array<QLineEdit*, 5> boxes_{};
  std::array<QString, 5> shown_;
  QLabel* noticeLabel_ = nullptr;
  QPushButton* confirmButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

// The grid columns of the five boxes: title, subject, author, keywords, comments.
inline constexpr std::array<int, 5> kEditedColumns = {1, 3, 4, 5, 6};

}  // namespace commands
