// Replays the style files kept from fuzzing and the shipped examples:
// each binds and draws to a defined outcome (drawn, or a conversion message).

#include <gtest/gtest.h>
#include <filesystem>

#include "layout/core/DrawElements.h"
#include "layout/core/StyleFile.h"
#include "layout/core/StyleVersion.h"
#include "platform/files/UserError.h"
#include "printing/core/Binding.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/TempDir.h"

namespace printing {
namespace {

TEST(StyleRegressions, EveryKeptStyleBindsAndDraws) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "styles";
  int replayed = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    SCOPED_TRACE(entry.path().filename().string());
    std::vector<std::string> lines =
        layout::SplitStyleLines(testsupport::ReadAll(entry.path().string()));
    try {
      layout::ConvertOlderStyle(lines);
      BindingData data;
      data.listLines = {"a;b;c;d;e;f;g;h;i;j;k;", "", "x;y;"};
      FixedClock clock(*MakeDate(2026, 12, 7));
      int page = 1;
      BindPageData(lines, page, data, clock);
      testsupport::RecordingSurface surface;
      testsupport::FakePictureDecoder pictures;
      layout::DrawingContext context;
      context.surface = &surface;
      context.scaleX = context.scaleY = layout::Fixed::FromRaw(37795);
      context.pictures = &pictures;
      layout::DrawElements(context, lines);
    } catch (const platform::UserError& e) {
      std::string message = e.what();
      EXPECT_FALSE(message.empty());
    }
    ++replayed;
  }
  EXPECT_GE(replayed, 2);
}

}  // namespace
}  // namespace printing
