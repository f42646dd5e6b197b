#include "catalogue/core/FileTimeText.h"

#include <ctime>

namespace catalogue {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kDays1601To1970 = 134'774;

// Floor division for negative values too.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Proleptic Gregorian date of a day count from 1970-01-01 (H. Hinnant's
// civil_from_days).
void CivilFromDays(std::int64_t z, CalendarTime& t) {
  z += 719468;
  std::int64_t era = FloorDiv(z, 146097);
  std::int64_t doe = z - era * 146097;
  std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  std::int64_t y = yoe + era * 400;
  std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  std::int64_t mp = (5 * doy + 2) / 153;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = t.month <= 2 ? y + 1 : y;
}

std::string Padded(std::int64_t value, int width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  }
  return value < 0 ? "-" + digits : digits;
}

}  // namespace

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  std::int64_t y = month <= 2 ? year - 1 : year;
  std::int64_t era = FloorDiv(y, 400);
  std::int64_t yoe = y - era * 400;
  std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CalendarTime CalendarFromTicks(std::int64_t ticks) {
  std::int64_t seconds = FloorDiv(ticks, kTicksPerSecond);
  std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
  std::int64_t inDay = seconds - days * kSecondsPerDay;
  CalendarTime t;
  CivilFromDays(days - kDays1601To1970, t);
  t.hour = static_cast<int>(inDay / 3600);
  t.minute = static_cast<int>(inDay / 60 % 60);
  t.second = static_cast<int>(inDay % 60);
  return t;
}

std::optional<std::int64_t> TicksFromCalendar(const CalendarTime& t) {
  if (t.year < 1601 || t.year > 30827) {
    return std::nullopt;
  }
  std::int64_t days = DaysFromCivil(t.year, t.month, t.day) + kDays1601To1970;
  std::int64_t seconds = days * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
  return seconds * kTicksPerSecond;
}

std::string FormatPicture(const std::string& picture, const CalendarTime& t) {
  std::string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (c == '\'') {
      // A quoted literal; '' inside it is one quote.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) {
      ++run;
    }
    int n = static_cast<int>(run);
    int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    switch (c) {
      case 'y':
        if (n <= 2) {
          out += Padded(((t.year % 100) + 100) % 100, n);
        } else {
          out += Padded(t.year, n == 3 ? 4 : n);
        }
        break;
      case 'M': out += Padded(t.month, n >= 2 ? 2 : 1); break;
      case 'd': out += Padded(t.day, n >= 2 ? 2 : 1); break;
      case 'H': out += Padded(t.hour, n >= 2 ? 2 : 1); break;
      case 'h': out += Padded(hour12, n >= 2 ? 2 : 1); break;
      case 'm': out += Padded(t.minute, n >= 2 ? 2 : 1); break;
      case 's': out += Padded(t.second, n >= 2 ? 2 : 1); break;
      case 't': out += n >= 2 ? (t.hour < 12 ? "AM" : "PM") : (t.hour < 12 ? "A" : "P"); break;
      default: out.append(run, c); break;
    }
    i += run;
  }
  return out;
}

std::string FileTimeToText(std::uint64_t fileTime, const RegionalFormats& formats,
                           std::int64_t utcOffsetSeconds) {
  if (fileTime == 0) {
    return {};
  }
  // FILETIME is unsigned but the platform's conversion takes values up to
  // 2^63 - 1; larger ones are read as that, the last representable instant.
  std::int64_t ticks = fileTime > static_cast<std::uint64_t>(INT64_MAX)
                           ? INT64_MAX
                           : static_cast<std::int64_t>(fileTime);
  std::int64_t bias = utcOffsetSeconds * kTicksPerSecond;
  if (bias > 0 && ticks > INT64_MAX - bias) {
    ticks = INT64_MAX;
  } else {
    ticks += bias;
  }
  CalendarTime t = CalendarFromTicks(ticks);
  std::string text = FormatPicture(formats.shortDate, t);
  if (t.hour != 0 || t.minute != 0 || t.second != 0) {
    text += ' ';
    text += FormatPicture(formats.longTime, t);
  }
  return text;
}

std::int64_t CurrentUtcOffsetSeconds() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) {
    return 0;
  }
  return local.tm_gmtoff;
}

}  // namespace catalogue
