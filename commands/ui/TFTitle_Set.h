#pragma once

#include <QDialog>

namespace commands {

// The report-title dialog, made once at start and reused by the title command.
class TFTitle_Set : public QDialog {
  Q_OBJECT

 public:
  explicit TFTitle_Set(QWidget* parent = nullptr);
};

}  // namespace commands
