#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;
class QUrl;

namespace platform {
class Desktop;
}

namespace widgets {

class Dialogs;

// The program's manual (its HTML file) shown in a window of the program:
// links within it and its pictures open there; a link out of it (a web
// page, a mail address) goes to the desktop's program for it.
class ManualWindow : public QDialog {
  Q_OBJECT

 public:
  ManualWindow(platform::Desktop& desktop, Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the manual at `path` (an HTML file).
  void ShowFile(const QString& path);
  QTextBrowser* Browser() const { return browser_; }

 private:
  void Follow(const QUrl& link);

  platform::Desktop& desktop_;
  Dialogs& dialogs_;
  QTextBrowser* browser_;
};

// The manual at `path`: an HTML manual in the one manual window of `parent`
// (made the first time), another kind (a compiled help file) with the
// desktop's program; a manual that is not there is said to be missing.
void ShowManual(QWidget* parent, platform::Desktop& desktop, Dialogs& dialogs, const QString& path);

}  // namespace widgets
