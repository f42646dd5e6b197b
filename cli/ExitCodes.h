#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Prints "usage: quillmark_cli FORM" on stderr and gives kExitUsage.
int UsageError(const std::string& form);

// Prints a message on stderr, its line breaks kept as line breaks.
void PrintMessage(const std::string& text);

// Splits "INPUT [-o OUTPUT]" (the option in any place); false when the
// arguments are not of that form.
bool InputAndOutput(const std::vector<std::string>& args, std::optional<std::string>& input,
                    std::optional<std::string>& output);

}  // namespace cli
