#include "layout/core/TextElement.h"

#include <gtest/gtest.h>

#include "tests/layout/DrawTestSupport.h"

namespace layout {
namespace {

using Calls = std::vector<std::string>;

// A "char" record: X, Y, shadow, angle, second colour, size, style, mode,
// pitch, colour, text, preview-only, limit.
std::string Text(const std::string& x, const std::string& y, const std::string& rest) {
  return "0;0;0;0;char;" + x + ";" + y + ";0;0;" + rest;
}

// Limits count the bytes code page 932 takes (a wide character 2, ASCII and
// half-width katakana 1), as style files always counted them, and cut whole
// characters only.
TEST(TextElement, LimitsNeverSplitADoubleByteCharacter) {
  std::string text = "a日本語";  // 7 bytes of code page 932
  EXPECT_EQ(LimitTextLength(text, 5), "a日本");
  EXPECT_EQ(LimitTextLength(text, 4), "a日");
  EXPECT_EQ(LimitTextLength(text, 0), text);
  EXPECT_EQ(LimitTextLength(text, 99), text);
  EXPECT_EQ(LimitTextLength("ｱｲ𠮷x", 3), "ｱｲ");  // a character CP932 lacks counts 2
  EXPECT_EQ(LimitTextLength("ｱｲ𠮷x", 4), "ｱｲ𠮷");
}

TEST(TextElement, NoMoreThan4096BytesOfAnElementAreDrawn) {
  for (const char* mode : {"0", "2", "3"}) {
    Page page;
    // 200,000 characters, a double-byte one across the 4096th byte.
    std::string text = std::string(4095, 'W') + "日" + std::string(195000, 'W');
    Calls calls = page.Draw(
        {Text("10", "20", std::string("0;0;0;0;F;10;;") + mode + ";0;255;" + text + ";0;0;")});
    ASSERT_FALSE(calls.empty());
    for (const std::string& call : calls) {
      EXPECT_LT(call.size(), 4200u) << mode;
      EXPECT_EQ(call.find("日"), std::string::npos) << mode;  // cut whole, before it
    }
  }
}

TEST(TextElement, PlainTextWithTheFontAtThePreviewResolution) {
  Page page;
  Calls calls = page.Draw({Text("10", "20", "0;0;0;0;ＭＳ 明朝;10;太字;0;0;255;題名;0;0;")});
  EXPECT_EQ(calls, Calls{"text 37,75 '題名' px=13/bold color=255"});
  EXPECT_EQ(page.surface.Brush().style, BrushStyle::Clear);
  EXPECT_EQ(page.surface.Font().face, "ＭＳ 明朝");
}

TEST(TextElement, PrintedTextHasThePreviewsSize) {
  // 10 points are 13 pixels at 96 dpi and 83 at 600 dpi: the same 3.5 mm.
  Page printer(true);
  EXPECT_EQ(printer.Draw({Text("10", "20", "0;0;0;0;F;10;;0;0;0;x;0;0;")}),
            Calls{"text 37,75 'x' px=83 color=0"});
}

TEST(TextElement, NothingForAnEmptyTextOrAnXOfZero) {
  Page page;
  EXPECT_TRUE(page.Draw({Text("0", "20", "0;0;0;0;F;10;;0;0;0;x;0;0;"),
                         Text("10", "20", "0;0;0;0;F;10;;0;0;0;;0;0;")})
                  .empty());
  EXPECT_EQ(page.Draw({Text("0.1", "0", "0;0;0;0;F;10;;0;0;0;x;0;0;")}).size(), 1u);
}

TEST(TextElement, VerticalTextStepsHalfTheSizeInMillimetres) {
  Page page;
  page.context.scaleY = Fixed::FromInt(1);  // one pixel per millimetre, to read the steps
  Calls calls = page.Draw({Text("10", "100", "0;0;0;0;F;12;;1;0;0;一二;0;0;"),
                           Text("10", "100", "0;0;0;0;F;12;;1;-6;0;一二三四;0;0;")});
  EXPECT_EQ(calls[0], "text 37,100 '一' px=16 color=0");
  EXPECT_EQ(calls[1], "text 37,106 '二' px=16 color=0");
  // A negative pitch ends the text at the reference point.
  EXPECT_EQ(calls[2], "text 37,76 '一' px=16 color=0");
  EXPECT_EQ(calls[5], "text 37,94 '四' px=16 color=0");
}

TEST(TextElement, PitchDrawsOnlyTheFirst256Bytes) {
  Page page;
  Calls calls =
      page.Draw({Text("1", "1", "0;0;0;0;F;10;;0;4;0;" + std::string(300, 'x') + ";0;0;")});
  EXPECT_EQ(calls.size(), 256u);
}

TEST(TextElement, ShadowFirstInTheSecondColourThenTheText) {
  Page page;
  page.context.scaleX = page.context.scaleY = Fixed::FromInt(10);
  Calls calls = page.Draw({"0;0;0;0;char;10;10;0;0;0.5;0.5;0;8421504;F;10;;0;0;255;影;0;0;"});
  EXPECT_EQ(calls,
            (Calls{"text 105,105 '影' px=13 color=8421504", "text 100,100 '影' px=13 color=255"}));
}

TEST(TextElement, ClipFilledTextLeavesASolidBrushOfItsColour) {
  Page page;
  Calls calls = page.Draw({Text("10", "10", "0;0;0;0;F;10;;2;0;255;ab;0;0;")});
  EXPECT_EQ(calls,
            (Calls{"clip 37,37,50,50 'ab'", "fillrect 37,37,50,50 brush=solid/255", "clearclip"}));
  EXPECT_TRUE(page.surface.Font().style.bold);
  EXPECT_EQ(page.surface.Brush(), (BrushState{BrushStyle::Solid, 255}));
}

TEST(TextElement, GradientRunsRowByRowToTheSecondColour) {
  Page page;
  Calls calls = page.Draw({Text("10", "10", "0;0;0;16711680;F;10;;3;0;255;ab;0;0;")});
  // 13 pixels high: rows 0 to 13, red to blue.
  ASSERT_EQ(calls.size(), 16u);
  EXPECT_EQ(calls[1], "fillrect 37,37,50,38 brush=solid/255");
  EXPECT_EQ(calls[14], "fillrect 37,50,50,51 brush=solid/16711680");
  EXPECT_EQ(page.surface.Brush().color, 16711680u);
}

TEST(TextElement, AnAngleRotatesWhateverTheModeWithTheCellHeightOfTheCanvas) {
  Page preview;
  EXPECT_EQ(preview.Draw({Text("10", "10", "0;0;90;0;F;10;;3;0;0;縦;0;0;")}),
            Calls{"text 37,37 '縦' rotated=14/900 color=0"});
  // On paper the cell is as large as on the preview: 14 / 96 inch at 600 dpi.
  Page printer(true);
  EXPECT_EQ(printer.Draw({Text("10", "10", "0;0;90;0;F;10;;0;0;0;縦;0;0;")}),
            Calls{"text 37,37 '縦' rotated=87/900 color=0"});
  Page zoomed;
  zoomed.context.zoomPercent = 200;
  zoomed.context.previewPpi = 192;
  EXPECT_EQ(zoomed.Draw({Text("10", "10", "0;0;-30;0;F;10;;0;0;0;x;0;0;")}),
            Calls{"text 37,37 'x' rotated=28/-300 color=0"});
}

}  // namespace
}  // namespace layout
