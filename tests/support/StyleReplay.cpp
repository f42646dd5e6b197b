#include "tests/support/StyleReplay.h"

#include "layout/core/DrawElements.h"
#include "layout/core/StyleVersion.h"
#include "printing/core/Binding.h"

namespace testsupport {

RecordingSurface BindAndDraw(std::vector<std::string> lines) {
  layout::ConvertOlderStyle(lines);
  printing::BindingData data;
  data.title = "title #FL";
  data.folder = "/docs";
  data.listLines = {"a;b;c;d;e;f;g;h;i;j;k;", "", "x;y;"};
  printing::FixedClock clock(*printing::MakeDate(2026, 12, 7));
  printing::BindPageData(lines, 1, data, clock);
  RecordingSurface surface;
  FakePictureDecoder pictures;
  layout::DrawingContext context;
  context.surface = &surface;
  context.scaleX = context.scaleY = layout::Fixed::FromRaw(37795);
  context.pictures = &pictures;
  context.offsetBoxX = layout::Fixed::FromRaw(29000);
  layout::DrawElements(context, lines);
  layout::ReadHeaderValues(lines);
  return surface;
}

}  // namespace testsupport
