#include "widgets/ManualWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "widgets/ApplicationTitle.h"
#include "widgets/DesktopOpen.h"
#include "widgets/Dialogs.h"

namespace widgets {

namespace {

// What the manual is called in its window's title and in messages.
QString ManualName() {
  return QStringLiteral("取扱説明書");
}

}  // namespace

ManualWindow::ManualWindow(platform::Desktop& desktop, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), desktop_(desktop), dialogs_(dialogs), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("ManualWindow"));
  setWindowTitle(ManualName() + QStringLiteral(" - ") + ApplicationTitle());
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  resize(900, 700);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  browser_->setObjectName(QStringLiteral("ManualText"));
  browser_->setOpenLinks(false);  // every link is followed here
  layout->addWidget(browser_);
  connect(browser_, &QTextBrowser::anchorClicked, this, &ManualWindow::Follow);
}

void ManualWindow::ShowFile(const QString& path) {
  browser_->setSource(QUrl::fromLocalFile(path));
  show();
  raise();
  activateWindow();
}

void ManualWindow::Follow(const QUrl& link) {
  QUrl url = browser_->source().resolved(link);
  if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".html"))) {
    browser_->setSource(url);  // a page of the manual, or a place in one
    return;
  }
  OpenOrTell(desktop_, dialogs_, url, QStringLiteral("リンク先"));
}

void ShowManual(QWidget* parent, platform::Desktop& desktop, Dialogs& dialogs,
                const QString& path) {
  if (!path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive)) {
    OpenOrTell(desktop, dialogs, QUrl::fromLocalFile(path), ManualName());
    return;
  }
  if (!QFileInfo::exists(path)) {
    dialogs.ShowMessage(QStringLiteral("%1が見つかりません。\r\n%2").arg(ManualName(), path));
    return;
  }
  auto* window =
      parent->findChild<ManualWindow*>(QStringLiteral("ManualWindow"), Qt::FindDirectChildrenOnly);
  if (window == nullptr) {
    window = new ManualWindow(desktop, dialogs, parent);
  }
  window->ShowFile(path);
}

}  // namespace widgets
