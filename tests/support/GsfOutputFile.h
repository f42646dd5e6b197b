#pragma once

#include <gsf/gsf.h>
#include <string>

namespace testsupport {

// A new file for one of libgsf's writers (libgsf started once per process);
// throws std::runtime_error naming `what` when it cannot be made.
GsfOutput* CreateGsfOutputFile(const std::string& path, const std::string& what);

// Throws std::runtime_error "`what`: `step`" unless `ok`.
void CheckGsfStep(bool ok, const std::string& what, const std::string& step);

}  // namespace testsupport
