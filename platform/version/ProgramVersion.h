#pragma once

namespace platform {

// The program's version, as its version box and quillmark_cli --version show it.
inline constexpr const char* kProgramVersion = "1.00";

}  // namespace platform
