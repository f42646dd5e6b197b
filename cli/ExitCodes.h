#pragma once

#include <string>

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Prints a message on stderr, its line breaks kept as line breaks.
void PrintMessage(const std::string& text);

}  // namespace cli
