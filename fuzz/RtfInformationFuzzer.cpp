// Feeds arbitrary bytes, as the start of an RTF file, to the reader of its
// \info group: no crash, no read outside the bytes, no deep recursion, no
// long run. Whether the file goes on past the bytes may change only the
// words of a damage message.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalogue/core/RtfInformation.h"

namespace {

bool SameTime(const std::optional<catalogue::CalendarTime>& a,
              const std::optional<catalogue::CalendarTime>& b) {
  if (!a || !b) {
    return !a && !b;
  }
  return a->year == b->year && a->month == b->month && a->day == b->day && a->hour == b->hour &&
         a->minute == b->minute && a->second == b->second;
}

bool ValidTime(const std::optional<catalogue::CalendarTime>& t) {
  return !t || (t->year >= 1 && t->year <= 9999 && t->month >= 1 && t->month <= 12 && t->day >= 1 &&
                t->day <= 31 && t->hour >= 0 && t->hour <= 23 && t->minute >= 0 &&
                t->minute <= 59 && t->second >= 0 && t->second <= 59);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using catalogue::RtfInformationResult;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  bytes = bytes.substr(0, catalogue::kRtfInformationReadLimit);
  RtfInformationResult whole = catalogue::ReadRtfInformation(bytes, true);
  RtfInformationResult cut = catalogue::ReadRtfInformation(bytes, false);
  const catalogue::RtfInformation& a = whole.information;
  const catalogue::RtfInformation& b = cut.information;
  bool same = whole.outcome == cut.outcome && a.title == b.title && a.subject == b.subject &&
              a.author == b.author && a.keywords == b.keywords && a.comments == b.comments &&
              a.lastAuthor == b.lastAuthor && a.revision == b.revision &&
              SameTime(a.lastSaved, b.lastSaved) && SameTime(a.lastPrinted, b.lastPrinted) &&
              SameTime(a.created, b.created);
  bool damageSaid =
      (whole.outcome == RtfInformationResult::Outcome::Damaged) != whole.damage.empty();
  if (!same || !damageSaid || !ValidTime(a.lastSaved) || !ValidTime(a.lastPrinted) ||
      !ValidTime(a.created)) {
    std::abort();
  }
  return 0;
}
