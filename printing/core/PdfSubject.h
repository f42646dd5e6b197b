#pragma once

#include <string>
#include <string_view>

namespace printing {

// The bytes that, appended to `pdf` as an incremental update, give its
// document information the subject `subjectUtf8`: a copy of the
// information dictionary with /Subject (replacing one there), as a new
// object the new trailer names. Empty when the subject is empty or the file
// has no information dictionary laid out as the PDF writer lays it out: it
// is then left as it is.
std::string SubjectUpdate(std::string_view pdf, std::string_view subjectUtf8);

}  // namespace printing
