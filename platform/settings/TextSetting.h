#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/settings/IniFile.h"

namespace platform {

// Texts of any character kept in the code page 932 settings file. A text
// that code page 932 holds as it is (and that holds no control character
// and no blank at either end, which the file's lines cannot keep) is
// written as it always was: `key=value` in code page 932, byte for byte.
// Any other text is written twice: under `key` as code page 932 with "?"
// for what it lacks, which readers of the file that know nothing more read
// as they always did, and whole under `key.utf8`, its UTF-8 bytes with
// every byte outside printable ASCII (and "%") written "%XX", which those
// readers pass over.
//
// The whole form is read only while `key` still holds its stand-in: a
// program that knows nothing of it may have written `key` since, and then
// `key` is the value.

// The companion key that holds a text whole.
std::string WholeTextKey(std::string_view key);

// The text (UTF-8) of `key`; empty when it is missing.
std::string ReadTextSetting(const IniFile& settings, std::string_view section,
                            std::string_view key);

// Writes `utf8` under `key`, in one of the two forms above.
void WriteTextSetting(IniFile& settings, std::string_view section, std::string_view key,
                      std::string_view utf8);

// What `key` holds for a text code page 932 cannot keep as it is: the text
// in code page 932, "?" for each character it lacks and for each control
// character, without blanks at either end.
std::string Cp932StandIn(std::string_view utf8);

// `utf8` with every byte outside printable ASCII, and "%", written "%XX";
// and back (nothing when `escaped` is not such a text).
std::string PercentEscaped(std::string_view utf8);
std::optional<std::string> PercentUnescaped(std::string_view escaped);

}  // namespace platform
