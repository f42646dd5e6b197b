#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Files larger than this are refused unread (a 1 GiB working file would
// otherwise be held in memory whole, and more than once).
inline constexpr std::uint64_t kNoSizeLimit = UINT64_MAX;
// The small working files: settings, column widths, title history.
inline constexpr std::uint64_t kSettingsFileLimit = std::uint64_t{1} << 20;

// The whole content of a regular file, or nothing when it does not exist.
// Any other failure to read (permissions, a folder, a pipe or device, an I/O
// error) and a file larger than `maxBytes` throw UserError naming the file.
std::optional<std::string> ReadFileBytesIfExists(const std::string& path,
                                                 std::uint64_t maxBytes = kNoSizeLimit);

// Reads a regular file in pieces, handing each to `chunk`, so a large file
// is never held whole; false when it does not exist. Fails as
// ReadFileBytesIfExists does.
bool ReadFileInChunks(const std::string& path, std::uint64_t maxBytes,
                      const std::function<void(std::string_view)>& chunk);

// The whole content of a file; a missing file throws UserError too.
std::string ReadFileBytes(const std::string& path, std::uint64_t maxBytes = kNoSizeLimit);

// The message for a file over a size limit: the file, its size and the limit.
std::string TooLargeMessage(const std::string& path, std::uint64_t size, std::uint64_t limit);

// A short Japanese description of an errno value.
std::string ErrnoText(int err);

// The message shown when a file cannot be opened, read or written.
std::string FileErrorMessage(const std::string& action, const std::string& path, int err);

}  // namespace platform
