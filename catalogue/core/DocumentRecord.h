#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/core/FileTimeText.h"
#include "catalogue/core/PropertyValue.h"

namespace catalogue {

// A document record: eleven text fields in UTF-8, in the order file
// name, title, last saved, subject, author, keywords, comments, last author,
// revision number, last printed, created. The grid column of a field is its
// index; the list file writes each field followed by ";".
inline constexpr std::size_t kRecordFieldCount = 11;
using DocumentFields = std::array<std::string, kRecordFieldCount>;

// The index of each field of a record.
enum RecordField {
  kFileNameField = 0,
  kTitleField = 1,
  kLastSavedField = 2,
  kSubjectField = 3,
  kAuthorField = 4,
  kKeywordsField = 5,
  kCommentsField = 6,
  kLastAuthorField = 7,
  kRevisionField = 8,
  kLastPrintedField = 9,
  kCreatedField = 10,
};

// A value as a record holds it (UTF-8): each control character (U+0000 to
// U+001F, U+007F and U+0080 to U+009F) becomes one blank and each ";" the
// full-width "；", so that no value can end its line, end the list file or
// shift the fields after it.
std::string RecordFieldText(std::string_view value);

// The fields joined as a list line: each one, as RecordFieldText gives it,
// followed by ";".
std::string JoinRecordLine(const DocumentFields& fields);

// The most characters a record's field holds: a document's value beyond it
// (a title of megabytes, say) is cut, so no list, grid or page is flooded.
inline constexpr std::size_t kRecordFieldLimit = 4096;

// Cuts every field of a record line longer than kRecordFieldLimit
// characters at a character boundary; true when one was cut.
bool CapRecordFields(std::string& line);

// The string a value gives under the record's rule: the text of a VT_LPSTR,
// empty for every other type.
std::string_view StringValueOf(const PropertyValue& value);

// The 64-bit FILETIME a value gives: its stored bytes, little-endian, for a
// date or number; zero for an absent value or one of pointer type.
std::uint64_t FileTimeOf(const PropertyValue& value);

// Builds the record line from the values of ids 2 to 19. The file-name field
// stays empty until one of the values, in id order, gives a non-empty string;
// then it is `fileName`. Dates fill their fields but never the name.
std::string BuildDocumentRecord(const RequestedValues& values, std::string_view fileName,
                                const RegionalFormats& formats, std::int64_t utcOffsetSeconds);

}  // namespace catalogue
