#include "widgets/Dialogs.h"

#include <exception>
#include <new>

namespace widgets {

bool RunReported(Dialogs& dialogs, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::bad_alloc&) {
    dialogs.ShowError(QStringLiteral("メモリが足りません"));
  } catch (const std::exception& e) {
    dialogs.ShowError(QString::fromUtf8(e.what()));
  }
  return false;
}

}  // namespace widgets
