#include "widgets/DesktopOpen.h"

#include <QFileInfo>

#include "platform/qt/Desktop.h"
#include "widgets/Dialogs.h"

namespace widgets {

bool OpenOrTell(platform::Desktop& desktop, Dialogs& dialogs, const QUrl& url,
                const QString& what) {
  if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
    dialogs.ShowMessage(QStringLiteral("%1が見つかりません。\r\n%2").arg(what, url.toLocalFile()));
    return false;
  }
  if (!desktop.Open(url)) {
    dialogs.ShowMessage(QStringLiteral("%1を開けませんでした。\r\n%2\r\n開くためのプログラムが"
                                       "見つかりません。")
                            .arg(what, url.isLocalFile() ? url.toLocalFile() : url.toString()));
    return false;
  }
  return true;
}

}  // namespace widgets
