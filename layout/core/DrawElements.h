#pragma once

#include <string>
#include <vector>

#include "layout/core/DrawingContext.h"
#include "layout/core/RecordReader.h"

namespace layout {

// Draws the element records of the style lines in order, up to the first
// empty line. A field that does not convert throws platform::UserError; the
// records before it stay drawn.
void DrawElements(DrawingContext& context, const std::vector<std::string>& styleLines);

// Pen style solid and white, brush clear then white (so solid white); the
// pen width stays.
void ResetPenAndBrush(Surface& surface);

// The pen width for a width in 1/144 inch of the preview: +4 on the printer,
// scaled by P / 144 and rounded; 1 for the broken line kinds or when not
// positive.
int PenWidthFor(int width, PenStyle style, const DrawingContext& context);

// The element drawers, each given the record after its field 5.
void DrawLineElement(RecordReader& record, DrawingContext& context);
void DrawRectElement(RecordReader& record, DrawingContext& context);
// The frame of an image element's box (x1, y1)-(x2, y2), in millimetres: a
// rect with a solid black pen of width 0.
void DrawImageFrame(Fixed x1, Fixed y1, Fixed x2, Fixed y2, DrawingContext& context);
void DrawRoundRectElement(RecordReader& record, DrawingContext& context);
void DrawArcElement(RecordReader& record, DrawingContext& context);
void DrawChordElement(RecordReader& record, DrawingContext& context);
void DrawEllipseElement(RecordReader& record, DrawingContext& context);
void DrawFillRectElement(RecordReader& record, DrawingContext& context, bool frame);
void DrawTextRecord(RecordReader& record, DrawingContext& context);
void DrawImageRecord(RecordReader& record, DrawingContext& context, bool frame);

}  // namespace layout
