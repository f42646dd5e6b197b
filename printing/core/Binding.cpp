#include "printing/core/Binding.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "catalogue/core/FileTimeText.h"
#include "layout/core/RecordReader.h"
#include "platform/text/Cp932.h"

namespace printing {

namespace {

constexpr const char* kCapacityTag = "#maxline=";
constexpr std::size_t kCapacityTagLength = 9;
constexpr int kTagFieldNumber = 20;
constexpr int kRecordFields = 11;
constexpr const char* kRowTags[kRecordFields] = {"#ma_", "#mb_", "#mc_", "#md_", "#me_", "#mf_",
                                                 "#mg_", "#mh_", "#mi_", "#mj_", "#mk_"};

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

// Step 1: N from the first line (after the header) holding the tag, which
// is removed from that line.
long long TakePageCapacity(std::vector<std::string>& lines) {
  for (std::size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].find(kCapacityTag) == std::string::npos) {
      continue;
    }
    layout::RecordReader record(lines[i]);
    std::string tag;
    for (int k = 0; k < kTagFieldNumber; ++k) {
      tag = record.TakeField();
    }
    int n = 0;
    std::string number = tag.size() > kCapacityTagLength ? tag.substr(kCapacityTagLength) : "";
    if (!layout::ParseStyleInteger(number, n) || n < 0) {
      n = 0;
    }
    lines[i] = ReplaceFirst(lines[i], tag, "");
    return n;
  }
  return 0;
}

// The smallest row number in (after, limit] whose tag for some column
// stands in the line ("#ma_05", or "#ma_10" at the start of "#ma_100"), or 0.
// Rows whose tags do not occur change nothing, so only these are visited.
long long NextRowInLine(const std::string& line, long long after, long long limit) {
  long long best = 0;
  for (std::size_t at = line.find("#m"); at != std::string::npos; at = line.find("#m", at + 1)) {
    if (at + 4 >= line.size() || line[at + 2] < 'a' || line[at + 2] > 'k' || line[at + 3] != '_') {
      continue;
    }
    std::size_t digits = at + 4;
    std::size_t end = digits;
    while (end < line.size() && end - digits < 12 && line[end] >= '0' && line[end] <= '9') {
      ++end;
    }
    for (std::size_t length = 2; digits + length <= end; ++length) {
      long long n = std::stoll(line.substr(digits, length));
      bool written = length == 2 ? (n >= 1) : (line[digits] != '0');
      if (written && n > after && n <= limit && (best == 0 || n < best)) {
        best = n;
      }
    }
  }
  return best;
}

void ReplaceRowTags(std::string& line, long long row, const std::string& record) {
  std::string number = RowNumberText(row);
  for (int k = 0; k < kRecordFields; ++k) {
    line = ReplaceFirst(line, kRowTags[k] + number, FieldAt(record, k + 1));
  }
}

}  // namespace

CalendarDate SystemClock::Today() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday};
}

std::optional<CalendarDate> MakeDate(int year, int month, int day) {
  static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1] ||
      (month == 2 && day == 29 && !leap)) {
    return std::nullopt;
  }
  // 1970-01-01 was a Thursday.
  long long days = catalogue::DaysFromCivil(year, month, day);
  int weekday = static_cast<int>(((days + 4) % 7 + 7) % 7);
  return CalendarDate{year, month, day, weekday};
}

std::string WeekdayName(int weekday) {
  static const char* const kNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
  return kNames[((weekday % 7) + 7) % 7];
}

std::string RowNumberText(long long row) {
  // Appended, not "0" + text: that makes GCC 12 warn (-Wrestrict, a false
  // positive).
  std::string text = row < 10 ? "0" : "";
  text += std::to_string(row);
  return text;
}

std::string ReplaceFirst(const std::string& line, std::string_view tag, std::string_view value) {
  std::size_t at = tag.empty() ? 0 : line.find(tag);
  if (tag.empty() || at == std::string::npos) {
    return line;
  }
  std::string result = line.substr(0, at);
  result += value;
  result += line.substr(at + tag.size());
  return result.empty() ? "    " : result;
}

std::string FieldAt(const std::string& line, int k) {
  std::size_t start = 0;
  std::string last;
  for (int i = 1; i <= k; ++i) {
    std::size_t semicolon = line.find(';', start);
    if (semicolon == std::string::npos) {
      return last;
    }
    last = line.substr(start, semicolon - start);
    start = semicolon + 1;
  }
  return last;
}

BindingOutcome BindPageData(std::vector<std::string>& styleLines, int pageNumber,
                            const BindingData& data, Clock& clock) {
  long long n = TakePageCapacity(styleLines);

  // Step 2: the page's rows.
  const std::vector<std::string>& lines = data.Lines();
  long long total = static_cast<long long>(lines.size());
  long long skip = std::max(0LL, (static_cast<long long>(pageNumber) - 1) * n);
  long long placed = std::clamp(total - skip, 0LL, n);
  std::vector<std::string> rows(static_cast<std::size_t>(placed) + 1);
  for (long long i = 0; i < placed; ++i) {
    rows[static_cast<std::size_t>(i) + 1] = lines[static_cast<std::size_t>(skip + i)];
  }
  bool lastPage = skip + placed >= total;
  static const std::string kEmpty;
  auto row = [&](long long r) -> const std::string& {
    return r <= placed ? rows[static_cast<std::size_t>(r)] : kEmpty;
  };

  // Steps 3 and 4, line by line.
  std::string page = std::to_string(pageNumber);
  for (std::string& line : styleLines) {
    CalendarDate today = clock.Today();
    line = ReplaceFirst(line, "#Y", std::to_string(today.year));
    line = ReplaceFirst(line, "#M", TwoDigits(today.month));
    line = ReplaceFirst(line, "#D", TwoDigits(today.day));
    line = ReplaceFirst(line, "#W", WeekdayName(today.weekday));
    line = ReplaceFirst(line, "#T", data.title);
    line = ReplaceFirst(line, "#pg", page);
    line = ReplaceFirst(line, "#FL", data.folder);
    for (long long r = NextRowInLine(line, 0, n); r != 0; r = NextRowInLine(line, r, n)) {
      ReplaceRowTags(line, r, row(r));
    }
  }
  // Step 5: row N+1 vanishes; higher rows stay as written.
  for (std::string& line : styleLines) {
    ReplaceRowTags(line, n + 1, kEmpty);
  }
  return {n, lastPage};
}

}  // namespace printing
