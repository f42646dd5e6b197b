#pragma once

#include <string>
#include <vector>

namespace cli {

// quillmark_cli csv LISTFILE [-o CSVFILE]: the list file loaded as the grid
// loads it, written out as the grid's CSV text.
int RunCsv(const std::vector<std::string>& args);

}  // namespace cli
