#pragma once

#include <QObject>
#include <QPageSize>
#include <QPointer>

class QPrintDialog;

namespace printing {

// Qt's print dialog (Qt 6.4) shows a queue's default paper in its page
// settings whatever paper the printer has, and applies it when accepted.
// While it lives, this puts the printer's own paper back into the page
// settings each time they are first shown, so that what the user sees and
// accepts is the paper the printer had.
class PaperShownInDialog : public QObject {
 public:
  PaperShownInDialog(QPrintDialog& dialog, const QPageSize& paper);
  ~PaperShownInDialog() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QPrintDialog> dialog_;
  QPageSize paper_;
};

// Whether the user accepted the dialog's page settings (so chose a paper
// there) rather than leaving them unopened or cancelled.
bool PaperChosenIn(const QPrintDialog& dialog);

// Whether two sizes are the same paper (published sizes are rounded).
bool SamePaperSize(const QSizeF& a, const QSizeF& b);

}  // namespace printing
