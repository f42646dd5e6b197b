#pragma once

// Scripts for Qt's own print dialog, run as it opens (a test cannot click).

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace testsupport {

// Accepts the dialog without a change.
inline bool AcceptPrintDialog(QPrintDialog& dialog) {
  QTimer::singleShot(0, &dialog, &QDialog::accept);
  return dialog.exec() == QDialog::Accepted;
}

// Cancels the dialog.
inline bool CancelPrintDialog(QPrintDialog& dialog) {
  QTimer::singleShot(0, &dialog, &QDialog::reject);
  return dialog.exec() == QDialog::Accepted;
}

// Opens the dialog's page settings (Qt's "Properties"), hands their paper
// list to `onPaperList` (which may pick a paper), accepts them, then accepts
// the dialog. Without page settings to open, `onPaperList` gets nullptr.
inline bool AcceptWithPageSettings(QPrintDialog& dialog,
                                   const std::function<void(QComboBox* papers)>& onPaperList) {
  QTimer::singleShot(0, &dialog, [&dialog, onPaperList] {
    auto* properties = dialog.findChild<QPushButton*>(QStringLiteral("properties"));
    if (properties == nullptr) {
      onPaperList(nullptr);
      dialog.accept();
      return;
    }
    // The page settings run modally inside the click: the script goes on
    // once they show.
    QTimer::singleShot(0, &dialog, [&dialog, onPaperList] {
      auto* settings = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (settings == nullptr || settings == &dialog) {
        onPaperList(nullptr);
        dialog.accept();
        return;
      }
      onPaperList(settings->findChild<QComboBox*>(QStringLiteral("pageSizeCombo")));
      settings->accept();
      QTimer::singleShot(0, &dialog, &QDialog::accept);
    });
    properties->click();
  });
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace testsupport
