#pragma once

#include <string>

namespace widgets {

class Dialogs;

// Working files (settings, column widths, title history) that could not be
// read and were used as absent, so that the program starts with defaults.
// Each is told to the user once, and none is written over at exit: the
// user's file stays as it was for them to mend.

// Notes that `path` was skipped; `why` is the reading error's message.
void NoteSkippedFile(const std::string& path, const std::string& why);
bool WasSkipped(const std::string& path);
// One message for the files skipped since the last one; nothing when none.
void TellSkippedFiles(Dialogs& dialogs);

}  // namespace widgets
