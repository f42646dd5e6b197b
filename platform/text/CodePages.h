#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Converts text stored in the Windows code page `codePage` into UTF-8, the
// form the program holds text in. Bytes the code page cannot decode become
// "?"; code page 0 is taken as CP932, the program's own. Returns nothing
// when the code page is not one this machine can convert.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage);

// Bytes of one code unit of the code page: 2 for UTF-16, 4 for UTF-32, else
// 1. A NUL character is one unit of zero bytes.
std::size_t CodeUnitSize(unsigned codePage);

// The iconv name of a Windows code page, or an empty text when unknown.
std::string IconvNameOfCodePage(unsigned codePage);

}  // namespace platform
