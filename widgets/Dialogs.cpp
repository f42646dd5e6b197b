#include "widgets/Dialogs.h"

#include <QFile>
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

std::optional<platform::ReadOnlyTarget> AskToReplaceReadOnly(Dialogs& dialogs,
                                                             const QString& path) {
  if (!platform::IsReadOnlyFile(QFile::encodeName(path).toStdString())) {
    return platform::ReadOnlyTarget::Keep;
  }
  Dialogs::Answer answer = dialogs.AskTwoChoices(
      QString::fromUtf8(platform::kReadOnlyQuestion) + QStringLiteral("\r\n") + path,
      QStringLiteral("上書きする"), QStringLiteral("やめる"));
  if (answer != Dialogs::Answer::First) {
    return std::nullopt;
  }
  return platform::ReadOnlyTarget::Replace;
}

}  // namespace widgets
