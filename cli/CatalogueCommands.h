#pragma once

#include <string>
#include <vector>

namespace cli {

// quillmark_cli read [--utf8] FILE...: each file's record line, CR LF, on
// stdout; exit 1 when any file could not be read.
int RunRead(const std::vector<std::string>& args);

// quillmark_cli scan FOLDER [-o LISTFILE] [--utf8]: the scan's list on stdout
// or into LISTFILE, replaced whole.
int RunScan(const std::vector<std::string>& args);

}  // namespace cli
