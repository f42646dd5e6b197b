#pragma once

#include <string>

namespace widgets {

class Dialogs;

// Single choices kept in the settings file (the folder last scanned, the
// CSV type, ...). A settings file skipped at start is read as absent and
// never written; one that cannot be read now gives the fallback.

int ReadSettingInteger(const std::string& settingsPath, const std::string& section,
                       const std::string& key, int fallback);
std::string ReadSettingString(const std::string& settingsPath, const std::string& section,
                              const std::string& key);

// A text of any character (UTF-8), kept as platform/settings/TextSetting
// keeps it: code page 932 as always while it fits, whole beside that
// otherwise. Empty when missing.
std::string ReadSettingText(const std::string& settingsPath, const std::string& section,
                            const std::string& key);

// Writes one value, keeping the rest of the file; a failure to write is
// shown through `dialogs` and changes nothing else.
void WriteSettingInteger(Dialogs& dialogs, const std::string& settingsPath,
                         const std::string& section, const std::string& key, int value);
void WriteSettingString(Dialogs& dialogs, const std::string& settingsPath,
                        const std::string& section, const std::string& key,
                        const std::string& value);
void WriteSettingText(Dialogs& dialogs, const std::string& settingsPath, const std::string& section,
                      const std::string& key, const std::string& utf8);

}  // namespace widgets
