#pragma once

namespace platform {

// The program's version, as its version box and quillmark_cli --version show
// it: the project's version, which the build gives.
inline constexpr const char* kProgramVersion = QUILL_VERSION;

}  // namespace platform
