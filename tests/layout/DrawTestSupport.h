#pragma once

#include <string>
#include <vector>

#include "layout/core/DrawElements.h"
#include "tests/support/RecordingSurface.h"

namespace layout {

// A preview at 96 pixels per inch and zoom 100 drawing on a recording.
struct Page {
  testsupport::RecordingSurface surface;
  DrawingContext context;

  explicit Page(bool onPrinter = false) {
    context.surface = &surface;
    context.onPrinter = onPrinter;
    context.scaleX = context.scaleY = Fixed::FromRaw(37795);
    context.previewPpi = 96;
  }

  // Draws the records (UTF-8, as pages are drawn) after a header line.
  std::vector<std::string> Draw(const std::vector<std::string>& records) {
    std::vector<std::string> lines = {"header;Ver1.1;0;0;0;0;401;100;"};
    for (const std::string& record : records) {
      lines.push_back(record);
    }
    DrawElements(context, lines);
    return surface.calls;
  }
};

}  // namespace layout
