#include "catalogue/core/W3cDateTime.h"

namespace catalogue {

namespace {

constexpr std::int64_t kTicksPerMinute = 600'000'000;

bool IsLeapYear(std::int64_t y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(std::int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads exactly `count` digits at `pos`.
std::optional<int> Digits(std::string_view s, std::size_t& pos, std::size_t count) {
  if (pos + count > s.size()) {
    return std::nullopt;
  }
  int value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    char c = s[pos + i];
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + (c - '0');
  }
  pos += count;
  return value;
}

bool Take(std::string_view s, std::size_t& pos, char c) {
  if (pos < s.size() && s[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

std::string_view TrimXmlSpace(std::string_view s) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && space(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && space(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

// The time part after "T": hh:mm[:ss[.fraction]][zone].
bool ReadTime(std::string_view s, std::size_t& pos, W3cDateTime& dt) {
  std::optional<int> hour = Digits(s, pos, 2);
  if (!hour || !Take(s, pos, ':')) {
    return false;
  }
  std::optional<int> minute = Digits(s, pos, 2);
  if (!minute || *hour > 23 || *minute > 59) {
    return false;
  }
  dt.written.hour = *hour;
  dt.written.minute = *minute;
  if (Take(s, pos, ':')) {
    std::optional<int> second = Digits(s, pos, 2);
    if (!second || *second > 59) {
      return false;
    }
    dt.written.second = *second;
    if (Take(s, pos, '.')) {
      std::size_t start = pos;
      while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
        ++pos;  // a fraction of a second: below what the list shows
      }
      if (pos == start) {
        return false;
      }
    }
  }
  if (Take(s, pos, 'Z')) {
    dt.zoneMinutes = 0;
  } else if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    int sign = s[pos++] == '-' ? -1 : 1;
    std::optional<int> zh = Digits(s, pos, 2);
    if (!zh || !Take(s, pos, ':')) {
      return false;
    }
    std::optional<int> zm = Digits(s, pos, 2);
    if (!zm || *zh > 23 || *zm > 59) {
      return false;
    }
    dt.zoneMinutes = sign * (*zh * 60 + *zm);
  }
  return true;
}

}  // namespace

std::optional<W3cDateTime> ParseW3cDateTime(std::string_view text) {
  std::string_view s = TrimXmlSpace(text);
  std::size_t pos = 0;
  W3cDateTime dt;
  std::optional<int> year = Digits(s, pos, 4);
  if (!year) {
    return std::nullopt;
  }
  dt.written.year = *year;
  if (Take(s, pos, '-')) {
    std::optional<int> month = Digits(s, pos, 2);
    if (!month || *month < 1 || *month > 12) {
      return std::nullopt;
    }
    dt.written.month = *month;
    if (Take(s, pos, '-')) {
      std::optional<int> day = Digits(s, pos, 2);
      if (!day || *day < 1 || *day > DaysInMonth(*year, *month)) {
        return std::nullopt;
      }
      dt.written.day = *day;
      if (Take(s, pos, 'T') && !ReadTime(s, pos, dt)) {
        return std::nullopt;
      }
    }
  }
  if (pos != s.size()) {
    return std::nullopt;
  }
  return dt;
}

std::string W3cDateTimeText(std::string_view text, UnzonedTime unzoned,
                            const RegionalFormats& formats, std::int64_t utcOffsetSeconds) {
  std::optional<W3cDateTime> dt = ParseW3cDateTime(text);
  if (!dt) {
    return {};
  }
  std::optional<std::int64_t> ticks = TicksFromCalendar(dt->written);
  if (!ticks) {
    return {};
  }
  if (!dt->zoneMinutes && unzoned == UnzonedTime::Local) {
    return *ticks > 0 ? FileTimeToText(static_cast<std::uint64_t>(*ticks), formats, 0)
                      : std::string();
  }
  std::int64_t utc = *ticks - dt->zoneMinutes.value_or(0) * kTicksPerMinute;
  return utc > 0 ? FileTimeToText(static_cast<std::uint64_t>(utc), formats, utcOffsetSeconds)
                 : std::string();
}

std::string WrittenTimeText(const CalendarTime& written, const RegionalFormats& formats) {
  std::optional<std::int64_t> ticks = TicksFromCalendar(written);
  return ticks && *ticks > 0 ? FileTimeToText(static_cast<std::uint64_t>(*ticks), formats, 0)
                             : std::string();
}

}  // namespace catalogue
