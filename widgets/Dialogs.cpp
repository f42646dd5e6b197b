#include "widgets/Dialogs.h"

#include <exception>

#include "platform/errors/UserError.h"

namespace widgets {

bool RunReported(Dialogs& dialogs, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::exception& e) {
    dialogs.ShowError(QString::fromStdString(platform::FailureText(e)));
  }
  return false;
}

}  // namespace widgets
