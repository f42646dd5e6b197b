#pragma once

#include <string>
#include <vector>

namespace cli {

// quillmark_cli read FILE...: each file's record line, CR LF, on stdout.
int RunRead(const std::vector<std::string>& args);

// quillmark_cli scan FOLDER [-o LISTFILE]: the scan's list on stdout or into
// LISTFILE, replaced whole.
int RunScan(const std::vector<std::string>& args);

}  // namespace cli
