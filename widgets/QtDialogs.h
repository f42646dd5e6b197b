#pragma once

#include <QString>

#include "widgets/Dialogs.h"

class QWidget;

namespace widgets {

// The real dialogs, shown modally over the active window.
class QtDialogs : public Dialogs {
 public:
  // `iconPath`: the picture the message boxes show ("dialog.ico").
  explicit QtDialogs(QString iconPath);

  Answer ShowInfoBox(const QString& text, const QString& button) override;
  Answer AskTwoChoices(const QString& text, const QString& first, const QString& second) override;
  Answer AskThreeChoices(const QString& text, const QString& first, const QString& second,
                         const QString& third) override;
  void ShowMessage(const QString& text) override;
  void ShowMessageList(const QString& text, const QStringList& items) override;
  void ShowInformation(const QString& text) override;
  void ShowError(const QString& text) override;
  QString GetSaveFileName(const QString& defaultSuffix, const QString& filter,
                          const QString& initialName) override;
  QString GetSaveFileNameOfType(const QString& defaultSuffix, const QString& filter,
                                const QString& initialName, int& type) override;
  QString GetOpenFileName(const QString& title, const QString& defaultSuffix, const QString& filter,
                          const QString& folder) override;

 private:
  Answer Show(const QString& text, const QStringList& buttons, int defaultButton = 0);

  QString iconPath_;
};

}  // namespace widgets
