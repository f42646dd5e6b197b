#pragma once

#include <string>
#include <vector>

#include "tests/support/RecordingSurface.h"

namespace testsupport {

// Converts an older style, binds page 1 with a small list (a full record, an
// empty one, a short one) and draws it on a recording at 96 dpi, as the
// style fuzzer and the kept-style tests do. A conversion message
// (platform::UserError) is left to the caller. Returns the recording.
RecordingSurface BindAndDraw(std::vector<std::string> lines);

}  // namespace testsupport
