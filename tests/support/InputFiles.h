#pragma once

#include <filesystem>
#include <vector>

namespace testsupport {

// The files of a folder of test inputs (kept fuzz inputs, shipped styles),
// in name order; notes (".md") are left out.
std::vector<std::filesystem::path> InputFiles(const std::filesystem::path& folder);

}  // namespace testsupport
