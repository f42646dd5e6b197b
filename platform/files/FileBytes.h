#pragma once

#include <optional>
#include <string>

namespace platform {

// The whole content of a file, or nothing when it does not exist. Any other
// failure to read (permissions, a folder, an I/O error) throws UserError.
std::optional<std::string> ReadFileBytesIfExists(const std::string& path);

// The whole content of a file; a missing file throws UserError too.
std::string ReadFileBytes(const std::string& path);

// A short Japanese description of an errno value.
std::string ErrnoText(int err);

// The message shown when a file cannot be opened, read or written.
std::string FileErrorMessage(const std::string& action, const std::string& path, int err);

}  // namespace platform
