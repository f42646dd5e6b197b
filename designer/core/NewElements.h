#pragma once

#include <string>

#include "designer/core/ElementGeometry.h"

namespace designer {

// The record line (code page 932) of a new element of `kind` centred at
// `centre`, its fields' defaults (layout::DefaultFields) placed there: a 40
// by 20 mm shape with a black solid pen, a white fill where the kind fills;
// text in ＭＳ 明朝 10 pt; a 40 by 30 mm picture box without a file.
std::string NewElementLine(ElementKind kind, MmPoint centre);

}  // namespace designer
