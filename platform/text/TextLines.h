#pragma once

#include <string_view>
#include <vector>

namespace platform {

// The lines of a settings-like text: each ends at LF, a CR before the LF is
// dropped, and a last line without LF counts when it is not empty.
std::vector<std::string_view> TextLines(std::string_view text);

}  // namespace platform
