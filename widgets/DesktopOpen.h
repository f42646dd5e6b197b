#pragma once

#include <QString>
#include <QUrl>

namespace platform {
class Desktop;
}

namespace widgets {

class Dialogs;

// Opens a file or link with the desktop's default program and, when that
// cannot be done, says so instead of doing nothing: a file that is not
// there, or nothing installed that opens it. `what` names it for the user
// ("取扱説明書"). Returns whether it was opened.
bool OpenOrTell(platform::Desktop& desktop, Dialogs& dialogs, const QUrl& url, const QString& what);

}  // namespace widgets
