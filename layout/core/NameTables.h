#pragma once

#include <string_view>

#include "layout/core/Surface.h"

// The words of style files for line kinds, brushes and font styles. Words
// are code page 932 and compared exactly; an unknown word takes the default.
namespace layout {

PenStyle PenStyleFromName(std::string_view name);      // default solid
BrushStyle BrushStyleFromName(std::string_view name);  // default solid
FontStyle FontStyleFromName(std::string_view name);    // default regular

}  // namespace layout
