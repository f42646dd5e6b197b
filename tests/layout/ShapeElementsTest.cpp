#include <gtest/gtest.h>

#include "platform/errors/UserError.h"
#include "tests/layout/DrawTestSupport.h"

namespace layout {
namespace {

using Calls = std::vector<std::string>;

TEST(ShapeElements, LineMapsMillimetresAndLeavesTheWhiteResetState) {
  Page page;
  EXPECT_EQ(page.Draw({"0;0;0;0;line;0;0;10;0;0;実線;255;0;"}),
            Calls{"line 0,0-37,0 pen=solid/255/1"});
  EXPECT_EQ(page.surface.Pen(), (PenState{PenStyle::Solid, kWhite, 1}));
  EXPECT_EQ(page.surface.Brush(), (BrushState{BrushStyle::Solid, kWhite}));
  page.context.offsetX = 5;
  page.surface.calls.clear();
  EXPECT_EQ(page.Draw({"0;0;0;0;line;0;0;10;0;0;x;0;0;"}), Calls{"line 18,0-56,0 pen=solid/0/1"});
}

TEST(ShapeElements, PenWidthsFollowThePreviewResolution) {
  Page preview;
  EXPECT_EQ(PenWidthFor(0, PenStyle::Solid, preview.context), 1);
  EXPECT_EQ(PenWidthFor(3, PenStyle::Solid, preview.context), 2);  // 2.0
  EXPECT_EQ(PenWidthFor(5, PenStyle::Dash, preview.context), 1);
  EXPECT_EQ(PenWidthFor(9, PenStyle::InsideFrame, preview.context), 6);
  EXPECT_EQ(PenWidthFor(-9, PenStyle::Solid, preview.context), 1);
  Page printer(true);
  EXPECT_EQ(PenWidthFor(0, PenStyle::Solid, printer.context), 3);  // (0 + 4) * 96 / 144
  EXPECT_EQ(PenWidthFor(2, PenStyle::Solid, printer.context), 4);
  preview.context.previewPpi = 144;
  EXPECT_EQ(PenWidthFor(1, PenStyle::Solid, preview.context), 1);
  preview.context.previewPpi = 216;
  EXPECT_EQ(PenWidthFor(1, PenStyle::Solid, preview.context), 2);  // 1.5 rounds away from zero
}

TEST(ShapeElements, PreviewOnlyElementsStayOffThePaper) {
  std::string record = "0;0;0;0;rect;0;0;10;10;0;実線;0;1;";
  Page preview;
  EXPECT_EQ(preview.Draw({record}).size(), 4u);
  Page printer(true);
  EXPECT_TRUE(printer.Draw({record}).empty());
  // The colour was already set when the element was skipped, and stays.
  EXPECT_EQ(printer.surface.Pen().color, 0u);
  Page printedOnly;
  printedOnly.context.printedOnly = true;
  EXPECT_TRUE(printedOnly.Draw({record}).empty());
}

TEST(ShapeElements, AColouredClearBrushFillsSolid) {
  Page page;
  Calls calls = page.Draw({"0;0;0;0;Ellipse;0;0;10;10;0;実線;0;枠;255;0;",
                           "0;0;0;0;Ellipse;0;0;10;10;0;実線;0;HorizontalBrush;255;0;"});
  EXPECT_EQ(calls[0], "ellipse 0,0,37,37 pen=solid/0/1 brush=solid/255");
  EXPECT_EQ(calls[1], "ellipse 0,0,37,37 pen=solid/0/1 brush=horizontal/255");
}

TEST(ShapeElements, FilledBoxesUseTheBrushColourLeftBehind) {
  Page page;
  Calls calls = page.Draw({"0;0;0;0;line;0;0;1;0;0;実線;0;0;",
                           "0;0;0;0;fillrect;0;0;10;10;SolidBrush;255;x;0;",
                           "1;0;0;0;fillrect;0;0;10;10;枠;255;;0;"});
  EXPECT_EQ(calls[1], "fillrect 0,0,37,37 brush=solid/16777215");  // white after the line
  // A clear brush fills nothing (the surface is asked, and a clear brush
  // paints nothing); layer 1 adds a frame in field 11's colour.
  EXPECT_EQ(calls[2], "fillrect 0,0,37,37 brush=clear/16777215");
  EXPECT_EQ(calls[3], "line 0,0-37,0 pen=solid/255/1");
  EXPECT_EQ(calls.size(), 7u);
}

TEST(ShapeElements, RoundBoxesArcsAndChordsUseTheVerticalScaleForTheirNumbers) {
  Page page;
  page.context.scaleY = Fixed::FromRaw(40000);
  Calls calls = page.Draw({"0;0;0;0;rrect;0;0;10;10;5;3;0;実線;0;塗潰;65280;0;",
                           "0;0;0;0;Arc;0;0;10;10;2;3;10;20;0;実線;0;枠;0;0;",
                           "0;0;0;0;Chord;0;0;10;10;2;3;10;20;0;点線;0;垂直;0;0;"});
  EXPECT_EQ(calls[0], "roundrect 0,0,37,40 corner=20,12 pen=solid/0/1 brush=solid/65280");
  EXPECT_EQ(calls[1], "arc 0,0,37,40 from=8,12 to=10,20 pen=solid/0/1");
  EXPECT_EQ(calls[2], "chord 0,0,37,40 from=8,12 to=10,20 pen=dot/0/1 brush=vertical/0");
}

TEST(ShapeElements, HeaderElementsSwitchOnTheOffsetBoxes) {
  Page page;
  page.context.offsetBoxX = *Fixed::Parse("2.9");
  page.context.offsetBoxY = *Fixed::Parse("-2.9");
  Calls calls = page.Draw(
      {"0;0;0;0;line;0;10;0;10;0;x;0;0;", "0;0;0;0;header;", "0;0;0;0;line;0;10;0;10;0;x;0;0;"});
  EXPECT_EQ(calls[0], "line 0,37-0,37 pen=solid/0/1");
  EXPECT_EQ(calls[1], "line 7,30-7,30 pen=solid/0/1");  // 2 mm and -2 mm
}

TEST(ShapeElements, TheFirstEmptyLineEndsThePageAndUnknownKeywordsAreSkipped) {
  Page page;
  Calls calls = page.Draw({"0;0;0;0;Rect;0;0;10;10;0;x;0;0;", "0;0;0;0;line;0;0;1;0;0;x;0;0;", "",
                           "0;0;0;0;line;0;0;2;0;0;x;0;0;"});
  EXPECT_EQ(calls, Calls{"line 0,0-3,0 pen=solid/0/1"});
}

TEST(ShapeElements, AFieldThatDoesNotConvertStopsThePageThere) {
  Page page;
  EXPECT_THROW(page.Draw({"0;0;0;0;line;0;0;1;0;0;x;0;0;", "0;0;0;0;line;0;zero;1;0;0;x;0;0;",
                          "0;0;0;0;line;0;0;2;0;0;x;0;0;"}),
               platform::UserError);
  EXPECT_EQ(page.surface.calls, Calls{"line 0,0-3,0 pen=solid/0/1"});
  // A record cut short: missing numbers read as the last text and fail.
  Page shortRecord;
  EXPECT_THROW(shortRecord.Draw({"0;0;0;0;line;0;0;x"}), platform::UserError);
  // When the last text is a number, the missing fields read as it.
  EXPECT_EQ(shortRecord.Draw({"0;0;0;0;line;0;0"}), Calls{"line 0,0-0,0 pen=solid/0/1"});
}

}  // namespace
}  // namespace layout
