#include "widgets/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QIcon>
#include <QMessageBox>
#include <algorithm>

#include "widgets/ApplicationTitle.h"
#include "widgets/MessageBox.h"
#include "widgets/MessageListBox.h"

namespace widgets {

namespace {

constexpr int kIconSize = 32;

// Messages keep CR LF line breaks as stored; labels want LF.
QString Lines(const QString& text) {
  return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// "label|pattern" pairs as Qt writes them: "label (pattern)".
QString QtNameFilter(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(';', ' ') +
                   QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace

QtDialogs::QtDialogs(QString iconPath) : iconPath_(std::move(iconPath)) {}

Dialogs::Answer QtDialogs::Show(const QString& text, const QStringList& buttons,
                                int defaultButton) {
  // Without a readable icon the box still shows, without the picture.
  QPixmap icon = QIcon(iconPath_).pixmap(kIconSize, kIconSize);
  MessageBox box(Lines(text), buttons, icon, QApplication::activeWindow(), defaultButton);
  return box.Ask();
}

Dialogs::Answer QtDialogs::ShowInfoBox(const QString& text, const QString& button) {
  return Show(text, {button});
}

Dialogs::Answer QtDialogs::AskTwoChoices(const QString& text, const QString& first,
                                         const QString& second) {
  return Show(text, {first, second}, 1);  // Enter keeps what was there
}

Dialogs::Answer QtDialogs::AskThreeChoices(const QString& text, const QString& first,
                                           const QString& second, const QString& third) {
  return Show(text, {first, second, third});
}

void QtDialogs::ShowMessage(const QString& text) {
  QMessageBox::information(QApplication::activeWindow(), ApplicationTitle(), Lines(text),
                           QMessageBox::Ok);
}

void QtDialogs::ShowMessageList(const QString& text, const QStringList& items) {
  MessageListBox box(Lines(text), items, QApplication::activeWindow());
  box.exec();
}

void QtDialogs::ShowInformation(const QString& text) {
  QMessageBox::information(QApplication::activeWindow(), QStringLiteral("情報"), Lines(text),
                           QMessageBox::Ok);
}

QString QtDialogs::GetSaveFileName(const QString& defaultSuffix, const QString& filter,
                                   const QString& initialName) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.setNameFilter(QtNameFilter(filter));
  if (!initialName.isEmpty()) {
    dialog.selectFile(initialName);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  return dialog.selectedFiles().constFirst();
}

QString QtDialogs::GetSaveFileNameOfType(const QString& defaultSuffix, const QString& filter,
                                         const QString& initialName, int& type) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(defaultSuffix);
  QStringList types = QtNameFilter(filter).split(QStringLiteral(";;"));
  dialog.setNameFilters(types);
  dialog.selectNameFilter(types.value(type));
  if (!initialName.isEmpty()) {
    dialog.selectFile(initialName);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  // A dialog that names its type in another form keeps the type offered.
  int chosen = static_cast<int>(types.indexOf(dialog.selectedNameFilter()));
  if (chosen >= 0) {
    type = chosen;
  }
  return dialog.selectedFiles().constFirst();
}

QString QtDialogs::GetOpenFileName(const QString& title, const QString& defaultSuffix,
                                   const QString& filter, const QString& folder) {
  QFileDialog dialog(QApplication::activeWindow(), title, folder);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(defaultSuffix);
  dialog.setNameFilter(QtNameFilter(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  return dialog.selectedFiles().constFirst();
}

void QtDialogs::ShowError(const QString& text) {
  QMessageBox::critical(QApplication::activeWindow(), ApplicationTitle(), Lines(text),
                        QMessageBox::Ok);
}

}  // namespace widgets
