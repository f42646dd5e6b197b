#pragma once

#include <string_view>

#include "catalogue/core/PropertyValue.h"
#include "catalogue/core/StorageCodes.h"

namespace catalogue {

// What reading the summary-information set gives.
//  - code S_OK: at least one of ids 2 to 19 exists; `values` holds them.
//  - code S_FALSE: the set is valid but holds none of ids 2 to 19.
//  - a failure code: the set cannot be read (bad header, a section or value
//    outside the stream, no summary section).
struct PropertySetReadResult {
  HResult code = kS_FALSE;
  RequestedValues values;
};

// How strictly the set is taken.
enum class SummaryReading {
  // As Windows reads it: only VT_LPSTR values are text, and a section is
  // the summary section only under its identifier as stored.
  Classic,
  // Also what other writers put there: VT_LPWSTR values (some Word 2002
  // files hold nothing else) come back as text, and an identifier stored
  // byte-swapped (old Mac Word) still names the summary section.
  Lenient,
};

// Reads ids 2 to 19 from the bytes of a "\005SummaryInformation" stream.
// Every offset, count and length is checked against the buffer; nothing is
// read outside it, and the work is bounded by the buffer's size. VT_LPSTR
// values come back in UTF-8, converted from the set's code page (property
// 1; CP932 when it is missing or one this machine does not know); read
// leniently, VT_LPWSTR values come back the same way, as VT_LPSTR.
PropertySetReadResult ReadSummaryProperties(std::string_view stream,
                                            SummaryReading reading = SummaryReading::Classic);

}  // namespace catalogue
