#pragma once

#include <QDialog>

namespace commands {

// The row-edit dialog, made once at start and reused by the edit commands.
class Tfdataedit : public QDialog {
  Q_OBJECT

 public:
  explicit Tfdataedit(QWidget* parent = nullptr);

  int Tag = 1;
};

}  // namespace commands
