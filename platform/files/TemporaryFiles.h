#pragma once

#include <string>
#include <string_view>

namespace platform {

// The program's temporary files: a file being written stands beside its
// target as ".NAME.quilltmp-XXXXXX" until it is renamed over it. While its
// writer has it open it is locked (flock), so that another instance's
// clean-up leaves it alone; one left by a killed program is removed at the
// next start.

struct TemporaryFile {
  std::string path;
  int fd = -1;  // open for writing and locked
};

// Creates a new temporary file beside `target`; -errno on failure in fd.
TemporaryFile CreateTemporaryBeside(const std::string& target);

// Whether a file name is one of the program's temporary files.
bool IsTemporaryName(std::string_view name);

// Removes the temporary files in `folder` that are older than `minAgeSeconds`
// and not locked by a writer; returns how many went.
int RemoveStaleTemporaries(const std::string& folder, int minAgeSeconds = 60);

}  // namespace platform
