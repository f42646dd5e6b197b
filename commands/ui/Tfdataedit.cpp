#include "commands/ui/Tfdataedit.h"

#include "widgets/ApplicationTitle.h"

namespace commands {

Tfdataedit::Tfdataedit(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fdataedit"));
  setWindowTitle(widgets::ApplicationTitle());
}

}  // namespace commands
