#pragma once

#include <string_view>

#include "layout/core/Surface.h"

// The words of style files for line kinds, brushes and font styles. Words
// are code page 932 and compared exactly; an unknown word takes the default.
namespace layout {

PenStyle PenStyleFromName(std::string_view name);      // default solid
BrushStyle BrushStyleFromName(std::string_view name);  // default solid
// Whether a brush of this name stays clear whatever colour is given to it
// ("透明"); "枠" and "ClearBrush" turn solid as soon as a colour is set, as
// styles have always drawn them.
bool KeepsBrushClear(std::string_view name);
FontStyle FontStyleFromName(std::string_view name);  // default regular

}  // namespace layout
