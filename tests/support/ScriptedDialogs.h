#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "widgets/Dialogs.h"

namespace testsupport {

// Answers the program's questions from a script and records every message,
// so no test waits for a person.
class ScriptedDialogs : public widgets::Dialogs {
 public:
  // Answers for the next questions, in order; unanswered ones get the first.
  std::deque<Answer> answers;
  // Names the save dialog returns, in order; none left means cancelled;
  // kOfferedName takes the name the dialog offered.
  std::deque<QString> saveNames;
  static inline const QString kOfferedName = QStringLiteral("<the offered name>");
  // The name each save dialog was offered first.
  QStringList offeredNames;
  // Paths the open dialog returns, in order; none left means cancelled.
  std::deque<QString> openNames;
  // The folder each open dialog started in.
  QStringList openFolders;
  // Every box shown, as "kind: text" (kind: info, ask, message, list,
  // information, error); a list's items follow its text, one per line.
  QStringList shown;

  Answer ShowInfoBox(const QString& text, const QString&) override {
    shown << "info: " + text;
    return Next();
  }
  Answer AskTwoChoices(const QString& text, const QString&, const QString&) override {
    shown << "ask: " + text;
    return Next();
  }
  Answer AskThreeChoices(const QString& text, const QString&, const QString&,
                         const QString&) override {
    shown << "ask: " + text;
    return Next();
  }
  void ShowMessage(const QString& text) override { shown << "message: " + text; }
  void ShowMessageList(const QString& text, const QStringList& items) override {
    shown << "list: " + text + "\n" + items.join('\n');
  }
  void ShowInformation(const QString& text) override { shown << "information: " + text; }
  void ShowError(const QString& text) override { shown << "error: " + text; }
  QString GetSaveFileName(const QString&, const QString&, const QString& initialName) override {
    offeredNames << initialName;
    if (saveNames.empty()) {
      return {};
    }
    QString name = saveNames.front();
    saveNames.pop_front();
    return name == kOfferedName ? initialName : name;
  }
  // The type the user picks in each save dialog that offers several, in
  // order (none left: the type offered); the type each one offered first.
  std::deque<int> saveTypes;
  QList<int> offeredTypes;
  QString GetSaveFileNameOfType(const QString& suffix, const QString& filter,
                                const QString& initialName, int& type) override {
    offeredTypes << type;
    QString name = GetSaveFileName(suffix, filter, initialName);
    if (!saveTypes.empty()) {
      if (!name.isEmpty()) {
        type = saveTypes.front();
      }
      saveTypes.pop_front();
    }
    return name;
  }
  QString GetOpenFileName(const QString&, const QString&, const QString&,
                          const QString& folder) override {
    openFolders << folder;
    if (openNames.empty()) {
      return {};
    }
    QString name = openNames.front();
    openNames.pop_front();
    return name;
  }

 private:
  Answer Next() {
    if (answers.empty()) {
      return Answer::First;
    }
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace testsupport
