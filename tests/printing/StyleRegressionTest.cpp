// Replays the style files kept from fuzzing and the shipped examples:
// each binds and draws to a defined outcome (drawn, or a conversion message).

#include <gtest/gtest.h>
#include <filesystem>

#include "layout/core/DrawElements.h"
#include "layout/core/StyleFile.h"
#include "layout/core/StyleVersion.h"
#include "platform/errors/UserError.h"
#include "printing/core/Binding.h"
#include "tests/support/InputFiles.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/StyleReplay.h"
#include "tests/support/TempDir.h"

namespace printing {
namespace {

TEST(StyleRegressions, EveryKeptStyleBindsAndDraws) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "fuzz" / "styles";
  int replayed = 0;
  for (const std::filesystem::path& input : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(input.filename().string());
    std::vector<std::string> lines = layout::SplitStyleLines(testsupport::ReadAll(input.string()));
    try {
      testsupport::BindAndDraw(std::move(lines));
    } catch (const platform::UserError& e) {
      std::string message = e.what();
      EXPECT_FALSE(message.empty());
    }
    ++replayed;
  }
  EXPECT_GE(replayed, 2);
}

TEST(ShippedStyles, EachBindsAndDrawsWithoutAnError) {
  std::filesystem::path folder = std::filesystem::path(QUILL_SOURCE_DIR) / "resources" / "style";
  int styles = 0;
  for (const std::filesystem::path& input : testsupport::InputFiles(folder)) {
    SCOPED_TRACE(input.filename().string());
    std::string bytes = testsupport::ReadAll(input.string());
    ASSERT_NE(bytes.find("\r\n"), std::string::npos);  // CR LF lines
    std::vector<std::string> lines = layout::SplitStyleLines(bytes);
    EXPECT_EQ(lines[0].rfind("header;Ver1.1;", 0), 0u);
    BindingData data;
    for (int i = 1; i <= 30; ++i) {
      data.listLines.push_back("f" + std::to_string(i) +
                               ".doc;t;2026/01/01;s;a;k;c;l;1;;2025/01/01;");
    }
    FixedClock clock(*MakeDate(2026, 12, 7));
    EXPECT_GT(BindPageData(lines, 1, data, clock).capacity, 0);
    testsupport::RecordingSurface surface;
    testsupport::FakePictureDecoder pictures;
    layout::DrawingContext context;
    context.surface = &surface;
    context.scaleX = context.scaleY = layout::Fixed::FromRaw(37795);
    context.pictures = &pictures;
    context.styleFolder = folder.string();
    EXPECT_NO_THROW(layout::DrawElements(context, lines));
    EXPECT_NE(std::find_if(surface.calls.begin(), surface.calls.end(),
                           [](const std::string& c) {
                             return c.rfind("text", 0) == 0 &&
                                    c.find("f1.doc") != std::string::npos;
                           }),
              surface.calls.end());
    for (const std::string& line : lines) {
      EXPECT_EQ(line.find("#m"), std::string::npos) << line;  // every row tag was filled
    }
    ++styles;
  }
  EXPECT_EQ(styles, 3);
}

}  // namespace
}  // namespace printing
