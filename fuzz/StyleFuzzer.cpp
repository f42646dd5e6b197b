// Feeds arbitrary style lines, bound with a small document list, to the
// layout engine on a recording surface: no crash, no overflow, no hang; a
// field that does not convert may only end the page with its message.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "layout/core/DrawElements.h"
#include "layout/core/StyleFile.h"
#include "layout/core/StyleVersion.h"
#include "platform/files/UserError.h"
#include "printing/core/Binding.h"
#include "tests/support/RecordingSurface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines = layout::SplitStyleLines(bytes);
  if (lines.size() > 200) {
    lines.resize(200);
  }
  try {
    layout::ConvertOlderStyle(lines);
    printing::BindingData list;
    list.title = "title #FL";
    list.folder = "/docs";
    list.listLines = {"a;b;c;d;e;f;g;h;i;j;k;", "", "x;y;"};
    printing::FixedClock clock(*printing::MakeDate(2026, 12, 7));
    int page = 1;
    printing::BindPageData(lines, page, list, clock);
    testsupport::RecordingSurface surface;
    testsupport::FakePictureDecoder pictures;
    layout::DrawingContext context;
    context.surface = &surface;
    context.scaleX = context.scaleY = layout::Fixed::FromRaw(37795);
    context.pictures = &pictures;
    context.offsetBoxX = layout::Fixed::FromRaw(29000);
    layout::DrawElements(context, lines);
    layout::ReadHeaderValues(lines);
  } catch (const platform::UserError&) {
    // A conversion message: the page ends there.
  }
  return 0;
}
