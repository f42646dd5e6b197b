#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace printing {

// A calendar day; weekday 0 is Sunday.
struct CalendarDate {
  int year = 2000;
  int month = 1;
  int day = 1;
  int weekday = 6;
};

// Today's date, from the system or set by a test.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual CalendarDate Today() = 0;
};

// The local date of the process's time zone.
class SystemClock : public Clock {
 public:
  CalendarDate Today() override;
};

// A clock that always says the same day.
class FixedClock : public Clock {
 public:
  explicit FixedClock(CalendarDate date) : date_(date) {}
  CalendarDate Today() override { return date_; }

 private:
  CalendarDate date_;
};

// The date of year, month and day with its weekday; nothing for a day that
// does not exist.
std::optional<CalendarDate> MakeDate(int year, int month, int day);

// What a page is bound with: the report title and the folder text (UTF-8)
// and the lines of the document list file.
struct BindingData {
  std::string title;
  std::string folder;
  std::vector<std::string> listLines;
  // The list's lines held elsewhere (a cache read once for all pages), used
  // instead of listLines so that no page copies them.
  const std::vector<std::string>* sharedLines = nullptr;

  const std::vector<std::string>& Lines() const { return sharedLines ? *sharedLines : listLines; }
};

// What binding found out about the page: the page capacity N and whether
// the page is the last (the print window then goes on with page 0, which
// binds as page 1 does).
struct BindingOutcome {
  long long capacity = 0;
  bool lastPage = false;
};

// Fills the tags of the style lines (UTF-8) for page `pageNumber`: the page capacity
// from the "#maxline=" tag (which is removed), the page's document rows into
// "#ma_NN" to "#mk_NN", the date, title, page number and folder into "#Y",
// "#M", "#D", "#W", "#T", "#pg" and "#FL", and the row tags of row N+1
// cleared.
BindingOutcome BindPageData(std::vector<std::string>& styleLines, int pageNumber,
                            const BindingData& data, Clock& clock);

// The line with the first occurrence of `tag` replaced by `value`; a result
// that would be empty is four blanks, so a style line is never empty.
std::string ReplaceFirst(const std::string& line, std::string_view tag, std::string_view value);

// The text before the k-th ";" of a record line; with fewer ";", the last
// field that ends in ";"; with none, empty.
std::string FieldAt(const std::string& line, int k);

// The short Japanese weekday name (日 月 火 水 木 金 土) in code page 932.
std::string WeekdayName(int weekday);

// "NN": two digits below 10, plain from 10 on.
std::string RowNumberText(long long row);

}  // namespace printing
