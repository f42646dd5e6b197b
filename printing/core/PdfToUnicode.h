#pragma once

#include <map>
#include <string>
#include <string_view>

namespace printing {

// Characters a PDF's fonts draw without their ToUnicode maps saying which
// they are: by the font's /BaseFont name, each CID and its character.
using MissingCharacters = std::map<std::string, std::map<unsigned, char32_t>>;

// The bytes that, appended to `pdf` as an incremental update, add the
// characters to the ToUnicode maps of their fonts, so the text can be found
// and copied. Empty when there is nothing to add, or when the file is not
// laid out as the PDF writer lays it out (a cross-reference table, fonts of
// type 0 with an uncompressed ToUnicode stream): it is then left as it is.
std::string ToUnicodeUpdate(std::string_view pdf, const MissingCharacters& missing);

}  // namespace printing
