#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace printing {

// The name a PDF printout gets by default: "print-YYYYMMDD-HHMMSS.pdf" for
// the local time given.
std::string TimestampedPdfName(const std::tm& local);

// `name` in `folder` ("folder/name"), or, when `exists` says that path is
// taken, the first free one of "name-2", "name-3", ... (the number before
// the extension), so a printout never replaces an earlier one. (After
// 99,999 taken names the last one tried is given back.)
std::string FirstFreePath(const std::string& folder, const std::string& name,
                          const std::function<bool(const std::string&)>& exists);

}  // namespace printing
