#include "commands/ui/TFTitle_Set.h"

#include "widgets/ApplicationTitle.h"

namespace commands {

TFTitle_Set::TFTitle_Set(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FTitle_Set"));
  setWindowTitle(widgets::ApplicationTitle());
}

}  // namespace commands
