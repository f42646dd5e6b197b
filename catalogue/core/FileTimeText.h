#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace catalogue {

// The regional formats that dates are shown in, as Windows format pictures
// (yyyy, yy, MM, M, dd, d, HH, H, hh, h, mm, m, ss, s, tt, quoted literals).
// The defaults are those of a Japanese desktop.
struct RegionalFormats {
  std::string shortDate = "yyyy/MM/dd";
  std::string longTime = "H:mm:ss";
};

struct CalendarTime {
  std::int64_t year = 1601;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);

// Splits a count of 100-ns ticks since 1601-01-01 into calendar fields.
CalendarTime CalendarFromTicks(std::int64_t ticks);

// Counts the 100-ns ticks from 1601-01-01 to a time; the inverse of
// CalendarFromTicks for years 1601 to 30827 (nothing for others).
std::optional<std::int64_t> TicksFromCalendar(const CalendarTime& t);

// Formats calendar fields with one format picture.
std::string FormatPicture(const std::string& picture, const CalendarTime& t);

// The text of a FILETIME for the list: empty for zero, else the local date in
// the short date format, then (unless the time is exactly midnight) a blank
// and the time in the long time format. `utcOffsetSeconds` is the bias applied
// to go from universal to local time; as on Windows it is the bias in force
// now, not the one in force on the date.
std::string FileTimeToText(std::uint64_t fileTime, const RegionalFormats& formats,
                           std::int64_t utcOffsetSeconds);

// The offset of the process's time zone (TZ) from UTC, now, in seconds.
std::int64_t CurrentUtcOffsetSeconds();

}  // namespace catalogue
