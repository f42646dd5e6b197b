#include "printing/qt/PrintDialogPaper.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPrintDialog>
#include <cmath>

namespace printing {

namespace {

// Sizes closer than this are the same paper.
constexpr double kSameSizeMm = 0.6;

// Qt's own names for the page settings dialog and its paper list; when a
// Qt release renames them, the dialog simply shows its own choice again.
constexpr char kPageSettingsClass[] = "QPrintPropertiesDialog";
constexpr char kPaperListName[] = "pageSizeCombo";
constexpr char kPaperPutBack[] = "quillmarkPaperPutBack";

// (Not QWidget::isAncestorOf: the page settings are a window of their own.)
bool IsPageSettingsOf(const QPrintDialog* dialog, QObject* object) {
  if (dialog == nullptr || !object->inherits(kPageSettingsClass)) {
    return false;
  }
  for (QObject* above = object->parent(); above != nullptr; above = above->parent()) {
    if (above == dialog) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool SamePaperSize(const QSizeF& a, const QSizeF& b) {
  return std::abs(a.width() - b.width()) < kSameSizeMm &&
         std::abs(a.height() - b.height()) < kSameSizeMm;
}

PaperShownInDialog::PaperShownInDialog(QPrintDialog& dialog, const QPageSize& paper)
    : dialog_(&dialog), paper_(paper) {
  qApp->installEventFilter(this);
}

PaperShownInDialog::~PaperShownInDialog() {
  qApp->removeEventFilter(this);
}

bool PaperShownInDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show || !IsPageSettingsOf(dialog_, watched) ||
      watched->property(kPaperPutBack).toBool()) {
    return false;
  }
  // Only the first showing: later ones show what the user chose there.
  watched->setProperty(kPaperPutBack, true);
  auto* list = watched->findChild<QComboBox*>(QString::fromLatin1(kPaperListName));
  if (list == nullptr || !paper_.isValid()) {
    return false;
  }
  QSizeF wanted = paper_.size(QPageSize::Millimeter);
  auto sizeAt = [list](int index) {
    return qvariant_cast<QPageSize>(list->itemData(index)).size(QPageSize::Millimeter);
  };
  if (list->currentIndex() >= 0 && SamePaperSize(sizeAt(list->currentIndex()), wanted)) {
    return false;
  }
  for (int index = 0; index < list->count(); ++index) {
    if (SamePaperSize(sizeAt(index), wanted)) {
      list->setCurrentIndex(index);
      break;
    }
  }
  return false;
}

bool PaperChosenIn(const QPrintDialog& dialog) {
  for (QDialog* settings : dialog.findChildren<QDialog*>()) {
    if (settings->inherits(kPageSettingsClass) && settings->result() == QDialog::Accepted) {
      return true;
    }
  }
  return false;
}

}  // namespace printing
