#pragma once

// Whether a pointer hits a shape as it is drawn: on its line, from either
// side, within a tolerance; inside only where it is painted.

#include "designer/core/ElementGeometry.h"

namespace designer {

// `tolerance` is in millimetres; `pixelsPerMm` is the drawing's scale, which
// places an arc's end (the file gives it in the drawing's pixels).
bool HitsAsDrawn(const ElementShape& shape, MmPoint point, Fixed tolerance, Fixed pixelsPerMm);

}  // namespace designer
