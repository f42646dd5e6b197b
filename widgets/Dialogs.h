#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/files/ReplacingFileWriter.h"

namespace widgets {

// Every modal question and message of the program goes through this
// service, so tests can answer them.
class Dialogs {
 public:
  // How a message box was answered.
  enum class Answer {
    First,   // the first (or only) button
    Second,  // the second button
    Third,   // the third button
    Closed,  // closed with the window's close button
  };

  virtual ~Dialogs() = default;

  // A box with the program's icon, `text` and one button captioned `button`.
  virtual Answer ShowInfoBox(const QString& text, const QString& button) = 0;
  // The same box with two buttons, asked before something is replaced or
  // deleted: the second keeps it, and is the default (Enter) and Escape.
  virtual Answer AskTwoChoices(const QString& text, const QString& first,
                               const QString& second) = 0;
  // The same box with three buttons; the first is the default, the third
  // answers Escape.
  virtual Answer AskThreeChoices(const QString& text, const QString& first, const QString& second,
                                 const QString& third) = 0;
  // A plain message box: the application's title, the text, one OK button.
  virtual void ShowMessage(const QString& text) = 0;
  // A plain message box with a list that may be long: the application's
  // title, `text`, the items in a scrolling box, one OK button.
  virtual void ShowMessageList(const QString& text, const QStringList& items) = 0;
  // An information box captioned "情報".
  virtual void ShowInformation(const QString& text) = 0;
  // The application's general error report for a command that failed.
  virtual void ShowError(const QString& text) = 0;
  // A file-save dialog: `filter` in the form "CSVファイル|*.csv", a name
  // typed without extension gets `defaultSuffix`; starts at `initialName`.
  // Returns the chosen path, or an empty text when cancelled.
  virtual QString GetSaveFileName(const QString& defaultSuffix, const QString& filter,
                                  const QString& initialName) = 0;
  // The same dialog offering several types ("CSVファイル|*.csv|CSV UTF-8|*.csv"):
  // `type` is the index of the type offered first and, when a name is
  // chosen, becomes the index of the type the user chose.
  virtual QString GetSaveFileNameOfType(const QString& defaultSuffix, const QString& filter,
                                        const QString& initialName, int& type) = 0;
  // A file-open dialog with a title, starting in `folder`; the chosen path,
  // or an empty text when cancelled.
  virtual QString GetOpenFileName(const QString& title, const QString& defaultSuffix,
                                  const QString& filter, const QString& folder) = 0;
};

// Runs a command; a failure it throws (platform::UserError or any other
// std::exception) is shown by the general error report and goes no further,
// so no exception crosses the event loop. Returns whether it completed.
bool RunReported(Dialogs& dialogs, const std::function<void()>& command);

// Before the user's own save replaces `path`: a read-only file (no write bit
// for its owner) is replaced only when the user says so. What the writer may
// do, or nothing when the user chose to keep the file.
std::optional<platform::ReadOnlyTarget> AskToReplaceReadOnly(Dialogs& dialogs, const QString& path);

}  // namespace widgets
