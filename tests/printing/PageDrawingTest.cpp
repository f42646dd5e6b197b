#include "printing/core/PageDrawing.h"

#include <gtest/gtest.h>

#include "tests/support/RecordingSurface.h"

namespace printing {
namespace {

using layout::Fixed;

TEST(PageDrawing, PreviewResolutionAndScales) {
  EXPECT_EQ(PreviewResolution(Fixed::FromInt(96), 100), 96);
  EXPECT_EQ(PreviewResolution(Fixed::FromInt(96), 5), 4);
  EXPECT_EQ(PreviewResolution(Fixed::FromInt(96), 150), 144);
  EXPECT_EQ(ScaleFor(Fixed::FromInt(96)).Raw(), 37795);
  EXPECT_EQ(ScaleFor(Fixed::FromInt(600)).Raw(), 236220);
}

TEST(PageDrawing, OffsetsApplyOnPaperAlwaysAndOnThePreviewWhenAsked) {
  std::vector<std::string> lines = {"header;Ver1.1;0;0;0;0;", "0;0;0;0;line;0;0;0;0;0;x;0;0;"};
  PageSettings settings;
  settings.offsetBoxX = *Fixed::Parse("2.9");
  settings.offsetBoxY = *Fixed::Parse("-2.9");
  testsupport::RecordingSurface shown;
  DrawPage(shown, lines, settings, nullptr);
  EXPECT_EQ(shown.calls[0], "line 7,-7-7,-7 pen=solid/0/1");
  settings.offsetsInPreview = false;
  testsupport::RecordingSurface hidden;
  DrawPage(hidden, lines, settings, nullptr);
  EXPECT_EQ(hidden.calls[0], "line 0,0-0,0 pen=solid/0/1");
  settings.onPrinter = true;
  settings.resolutionX = settings.resolutionY = Fixed::FromInt(600);
  testsupport::RecordingSurface paper;
  DrawPage(paper, lines, settings, nullptr);
  EXPECT_EQ(paper.calls[0], "line 47,-47-47,-47 pen=solid/0/3");
}

}  // namespace
}  // namespace printing
