#pragma once

#include <QString>

class QApplication;

namespace app {

// Application-wide settings made once at start: names, Qt's own texts in
// Japanese, the interface font,
// Windows font names mapped to the installed Japanese fonts, and hints
// (shown after 600 ms on a green background).
void SetupApplication(QApplication& application);

// The family of the interface font, IPA P Gothic, under the name Qt gives it
// in the user's language; empty when it is not installed.
QString InterfaceFamily();

}  // namespace app
