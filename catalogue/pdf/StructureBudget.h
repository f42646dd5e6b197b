#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace catalogue {

// What the structure streams of a PDF (its object and cross-reference
// streams) may decode to in all: a limit proportional to the file, so a
// document is read in bounded time and memory whatever it holds.
std::uint64_t StructureBudgetFor(std::uint64_t fileSize);

// What is said of a PDF whose structure streams decode beyond the budget,
// or declare more objects or entries than their bytes can hold.
inline constexpr const char* kMsgStructureTooLarge = "圧縮された内容が大きすぎます";

// Weighs the structure streams of the PDF bytes `pdf` before a PDF library
// decodes them: each is decoded here only as far as the budget allows, its
// bytes counted and dropped. Gives kMsgStructureTooLarge when they exceed
// the budget or claim more than they hold; nothing when they fit. A stream
// this cannot decode (encrypted, or a filter it does not know) is left to
// the library.
std::optional<std::string> StructureBeyondBudget(std::string_view pdf);

}  // namespace catalogue
