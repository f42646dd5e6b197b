#include "widgets/SettingValues.h"

#include <exception>
#include <functional>
#include <optional>

#include "platform/settings/IniFile.h"
#include "platform/settings/TextSetting.h"
#include "widgets/Dialogs.h"
#include "widgets/SkippedFiles.h"

namespace widgets {

namespace {

std::optional<platform::IniFile> LoadIfReadable(const std::string& settingsPath) {
  if (WasSkipped(settingsPath)) {
    return std::nullopt;
  }
  try {
    return platform::IniFile::Load(settingsPath);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void Write(Dialogs& dialogs, const std::string& settingsPath,
           const std::function<void(platform::IniFile&)>& change) {
  if (WasSkipped(settingsPath)) {
    return;  // the user's unreadable file stays as it is
  }
  RunReported(dialogs, [&] {
    platform::IniFile settings = platform::IniFile::Load(settingsPath);
    change(settings);
    settings.Save(settingsPath);
  });
}

}  // namespace

int ReadSettingInteger(const std::string& settingsPath, const std::string& section,
                       const std::string& key, int fallback) {
  std::optional<platform::IniFile> settings = LoadIfReadable(settingsPath);
  return settings ? settings->ReadInteger(section, key, fallback) : fallback;
}

std::string ReadSettingString(const std::string& settingsPath, const std::string& section,
                              const std::string& key) {
  std::optional<platform::IniFile> settings = LoadIfReadable(settingsPath);
  return settings ? settings->ReadString(section, key).value_or(std::string()) : std::string();
}

std::string ReadSettingText(const std::string& settingsPath, const std::string& section,
                            const std::string& key) {
  std::optional<platform::IniFile> settings = LoadIfReadable(settingsPath);
  return settings ? platform::ReadTextSetting(*settings, section, key) : std::string();
}

void WriteSettingInteger(Dialogs& dialogs, const std::string& settingsPath,
                         const std::string& section, const std::string& key, int value) {
  Write(dialogs, settingsPath,
        [&](platform::IniFile& settings) { settings.WriteInteger(section, key, value); });
}

void WriteSettingString(Dialogs& dialogs, const std::string& settingsPath,
                        const std::string& section, const std::string& key,
                        const std::string& value) {
  Write(dialogs, settingsPath,
        [&](platform::IniFile& settings) { settings.WriteString(section, key, value); });
}

void WriteSettingText(Dialogs& dialogs, const std::string& settingsPath, const std::string& section,
                      const std::string& key, const std::string& utf8) {
  Write(dialogs, settingsPath, [&](platform::IniFile& settings) {
    platform::WriteTextSetting(settings, section, key, utf8);
  });
}

}  // namespace widgets
