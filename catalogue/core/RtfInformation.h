#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/core/FileTimeText.h"

namespace catalogue {

// At most this much of an RTF file is read looking for its \info group.
inline constexpr std::size_t kRtfInformationReadLimit = std::size_t{1} << 20;

// The document information of an RTF file. Texts are UTF-8, decoded from
// the file's code pages and \u characters (the record's rules for control bytes and ";" are
// applied later, not here).
struct RtfInformation {
  std::string title;                        // \title
  std::string subject;                      // \subject
  std::string author;                       // \author
  std::string keywords;                     // \keywords
  std::string comments;                     // \doccomm
  std::string lastAuthor;                   // \operator
  std::string revision;                     // \version N, as decimal text; empty when absent
  std::optional<CalendarTime> lastSaved;    // \revtim, local time as written
  std::optional<CalendarTime> lastPrinted;  // \printim
  std::optional<CalendarTime> created;      // \creatim
};

struct RtfInformationResult {
  enum class Outcome { Read, NoInformation, Damaged };
  Outcome outcome = Outcome::NoInformation;
  RtfInformation information;  // filled when Read
  std::string damage;          // when Damaged: why, in Japanese, UTF-8, one short phrase
};

// Reads the \info group from the start of an RTF file. `bytes` is at most
// kRtfInformationReadLimit bytes; `wholeFile` is false when the file goes on
// past them.
RtfInformationResult ReadRtfInformation(std::string_view bytes, bool wholeFile);

}  // namespace catalogue
