#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "printing/core/PdfTrailer.h"

namespace printing {

// Characters a PDF's fonts draw without their ToUnicode maps saying which
// they are: by the font's /BaseFont name, each CID and its character.
using MissingCharacters = std::map<std::string, std::map<unsigned, char32_t>>;

// The ToUnicode map `cmap` with `characters` (CID: character) added before
// its end, at most a hundred a block, those beyond the BMP as surrogate
// pairs; nothing when it is not a map ("endcmap" missing).
//
// Qt's writer numbers each embedded font's glyphs in the order they are
// first drawn and maps only the characters of the BMP; the numbers of the
// others are learnt while drawing (PdfCharacterMap) and added to the
// finished file (printing/pdf: the maps found through qpdf).
std::optional<std::string> WithCharacters(std::string_view cmap,
                                          const std::map<unsigned, char32_t>& characters);

// The incremental update that replaces the streams of `maps` (object number,
// generation 0: its new map) in `pdf`, whose last trailer is `trailer`;
// empty for no maps.
std::string MapsUpdate(std::string_view pdf, const PdfTrailer& trailer,
                       const std::map<unsigned long long, std::string>& maps);

}  // namespace printing
