#include "layout/core/DrawElements.h"

namespace layout {

void DrawElements(DrawingContext& context, const std::vector<std::string>& styleLines) {
  context.line = -1;
  for (const std::string& line : styleLines) {
    ++context.line;
    if (line.empty()) {
      return;  // the first empty line ends the page
    }
    RecordReader record(line);
    std::string layer = record.TakeField();
    record.TakeField();
    record.TakeField();
    record.TakeField();
    std::string keyword = record.TakeField();
    if (keyword == "line") {
      DrawLineElement(record, context);
    } else if (keyword == "Arc") {
      DrawArcElement(record, context);
    } else if (keyword == "Ellipse") {
      DrawEllipseElement(record, context);
    } else if (keyword == "rrect") {
      DrawRoundRectElement(record, context);
    } else if (keyword == "rect") {
      DrawRectElement(record, context);
    } else if (keyword == "fillrect") {
      int layerNumber = 0;
      DrawFillRectElement(record, context,
                          ParseStyleInteger(layer, layerNumber) && layerNumber == 1);
    } else if (keyword == "Chord") {
      DrawChordElement(record, context);
    } else if (keyword == "char" || keyword == "data") {
      DrawTextRecord(record, context);
    } else if (keyword == "header") {
      context.offsetX = static_cast<int>(context.offsetBoxX.Trunc());
      context.offsetY = static_cast<int>(context.offsetBoxY.Trunc());
    } else if (keyword == "image") {
      DrawImageRecord(record, context, layer == "1");
    }
  }
}

}  // namespace layout
