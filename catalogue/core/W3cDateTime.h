#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/core/FileTimeText.h"

namespace catalogue {

// A date-time in the W3C profile of ISO 8601 (YYYY, YYYY-MM, YYYY-MM-DD,
// YYYY-MM-DDThh:mm[:ss[.fraction]] with an optional zone Z or +hh:mm /
// -hh:mm), as package metadata writes its dates.
struct W3cDateTime {
  CalendarTime written;            // the fields as written (missing: month/day 1, time 0)
  std::optional<int> zoneMinutes;  // east of UTC; none when no zone is written
};

// Parses one; surrounding XML white space is allowed. Nothing for text that
// is not one, or names a day the calendar does not have.
std::optional<W3cDateTime> ParseW3cDateTime(std::string_view text);

// What a date-time without a zone means.
enum class UnzonedTime { Utc, Local };

// The list text of a date-time: as FileTimeToText writes it, a zoned time
// (or an unzoned one taken as UTC) turned into local time with
// `utcOffsetSeconds`, an unzoned local one as written. Empty for text that
// is not a date-time and for times before 1601-01-01T00:00:01 UTC (so
// Word's "never", 1601-01-01T00:00:00Z, is empty too).
std::string W3cDateTimeText(std::string_view text, UnzonedTime unzoned,
                            const RegionalFormats& formats, std::int64_t utcOffsetSeconds);

// The list text of a time written in local time, without a zone.
std::string WrittenTimeText(const CalendarTime& written, const RegionalFormats& formats);

}  // namespace catalogue
