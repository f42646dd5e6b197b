#pragma once

#include <string>
#include <string_view>

#include "printing/core/PdfToUnicode.h"

namespace printing {

// The bytes that, appended to `pdf` as an incremental update, add the
// characters to the ToUnicode maps of their fonts (each type 0 font whose
// /BaseFont `missing` names, its map read through qpdf, compressed or not),
// so the text can be found and copied. Empty when there is nothing to add,
// or when the file does not read as a PDF whose last cross-reference
// section is a table: it is then left as it is.
std::string ToUnicodeUpdate(std::string_view pdf, const MissingCharacters& missing);

}  // namespace printing
