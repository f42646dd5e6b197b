#include <gtest/gtest.h>

#include "layout/core/Pictures.h"
#include "platform/errors/UserError.h"
#include "tests/layout/DrawTestSupport.h"
#include "tests/support/TempDir.h"

namespace layout {
namespace {

using Calls = std::vector<std::string>;

struct ImageFixture : ::testing::Test {
  testsupport::TempDir dir;
  testsupport::FakePictureDecoder pictures;

  std::vector<std::string> Draw(Page& page, const std::string& record) {
    page.context.pictures = &pictures;
    return page.Draw({record});
  }
};

TEST_F(ImageFixture, FindsTheJpegStartWithinTheFirst258Bytes) {
  EXPECT_EQ(FindJpegStart(dir.Write("a.jpg", "\xFF\xD8rest")), 0);
  EXPECT_EQ(FindJpegStart(dir.Write("b.jpg", std::string(100, 'x') + "\xFF\xD8")), 100);
  EXPECT_EQ(FindJpegStart(dir.Write("c.jpg", std::string(256, 'x') + "\xFF\xD8")), 256);
  EXPECT_EQ(FindJpegStart(dir.Write("d.jpg", std::string(257, 'x') + "\xFF\xD8")), -1);
  EXPECT_EQ(FindJpegStart(dir.Write("e.jpg", std::string(300, 'x') + "\xFF\xD8")), -1);
  EXPECT_EQ(FindJpegStart(dir.Write("f.jpg", "\xFF")), -1);
  EXPECT_EQ(FindJpegStart(dir.File("missing.jpg")), -1);
}

TEST_F(ImageFixture, DerivedSizeComesFromThePicturesProportions) {
  std::string file = dir.Write("logo.JPG", "\xFF\xD8");
  Page page;
  page.context.scaleX = page.context.scaleY = Fixed::FromInt(10);
  // 400 x 300 pixels, 50 mm wide: 37.5 mm high, rounded to 38.
  EXPECT_EQ(Draw(page, "0;0;0;0;image;1;2;50;0;1;0;0;" + file + ";"),
            Calls{"bitmap 10,20 size=500,380 source=400,300"});
}

TEST_F(ImageFixture, NaturalSizeFollowsTheZoomOrThePrinterResolution) {
  std::string file = dir.Write("p.bmp", "BM");
  Page preview;
  preview.context.zoomPercent = 150;
  EXPECT_EQ(Draw(preview, "0;0;0;0;image;0;0;0;0;0;0;0;" + file + ";"),
            Calls{"bitmap 0,0 size=300,150 source=200,100"});
  Page printer(true);
  EXPECT_EQ(Draw(printer, "0;0;0;0;image;0;0;0;0;1;0;0;" + file + ";"),  // W, H both 0
            Calls{"bitmap 0,0 size=1250,625 source=200,100"});
}

TEST_F(ImageFixture, AFrameReachingBeyondAnyFieldIsStillDrawn) {
  // x + w lies beyond what a field can hold; the frame is drawn from the
  // values themselves, held within the pixel range.
  Page page;
  Calls calls = Draw(page, "1;0;0;0;image;900000000000000;0;900000000000000;5;0;0;0;;");
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0], "line 536870912,0-536870912,0 pen=solid/0/1");
}

TEST_F(ImageFixture, ABadFrameValueIsQuotedAsTheFileHasIt) {
  Page page;
  try {
    Draw(page, "1;0;0;0;image;1;2;3x;4;0;0;0;;");
    FAIL() << "a width of 3x was drawn";
  } catch (const platform::UserError& e) {
    EXPECT_EQ(std::string(e.what()), "'3x' は浮動小数点数ではありません");
  }
}

TEST_F(ImageFixture, GivenSizeAndTheFrameOfLayerOne) {
  std::string file = dir.Write("p.bmp", "BM");
  Page page;
  page.context.scaleX = page.context.scaleY = Fixed::FromInt(10);
  Calls calls = Draw(page, "1;0;0;0;image;1;2;30;20;1;0;0;" + file + ";");
  EXPECT_EQ(calls[0], "bitmap 10,20 size=300,200 source=200,100");
  EXPECT_EQ(calls[1], "line 10,20-310,20 pen=solid/0/1");
  EXPECT_EQ(calls.size(), 5u);
}

TEST_F(ImageFixture, PicturesThatAreNotBitmapsOrNotThereDrawNothing) {
  Page page;
  EXPECT_TRUE(
      Draw(page, "0;0;0;0;image;0;0;0;0;0;0;0;" + dir.Write("p.Jpg", "\xFF\xD8") + ";").empty());
  EXPECT_TRUE(Draw(page, "0;0;0;0;image;0;0;0;0;0;0;0;" + dir.Write("p.ico", "x") + ";").empty());
  EXPECT_TRUE(page.context.pictureFailures.empty());
  // A missing one is drawn as nothing but said: the page is not whole.
  EXPECT_TRUE(Draw(page, "0;0;0;0;image;0;0;0;0;0;0;0;" + dir.File("none.bmp") + ";").empty());
  ASSERT_EQ(page.context.pictureFailures.size(), 1u);
  EXPECT_EQ(page.context.pictureFailures[0],
            "2 行目の画像: 画像ファイル「" + dir.File("none.bmp") + "」が見つかりません");
  page.context.pictureFailures.clear();
  EXPECT_TRUE(Draw(page, "0;0;0;0;image;0;0;0;0;0;0;0;;").empty());  // no picture chosen
  // A JPEG without a start marker has no pixels, so no derived size either.
  std::string noMarker = dir.Write("n.jpg", "no marker here");
  EXPECT_TRUE(Draw(page, "0;0;0;0;image;0;0;50;0;1;0;0;" + noMarker + ";").empty());
  // Preview-only pictures stay off the paper, but their frame is drawn.
  Page printer(true);
  EXPECT_EQ(Draw(printer, "1;0;0;0;image;0;0;10;10;1;0;1;" + dir.Write("q.bmp", "BM") + ";").size(),
            4u);
}

TEST_F(ImageFixture, APictureBesideItsStyleIsFoundToo) {
  dir.Write("beside.bmp", "BM");
  Page page;
  EXPECT_TRUE(Draw(page, "0;0;0;0;image;0;0;0;0;0;0;0;beside.bmp;").empty());
  EXPECT_EQ(page.context.pictureFailures.size(), 1u);
  page.context.styleFolder = dir.path();
  EXPECT_EQ(Draw(page, "0;0;0;0;image;0;0;0;0;0;0;0;beside.bmp;").size(), 1u);
  EXPECT_EQ(page.context.pictureFailures.size(), 1u);  // found: nothing more said
}

// A picture that cannot be read is named with its line and left out; the
// rest of the page, its frame included, is drawn.
TEST_F(ImageFixture, APictureThatCannotBeReadIsNamedAndTheRestDrawn) {
  Page page;
  page.context.pictures = &pictures;
  std::vector<std::string> calls =
      page.Draw({"1;0;0;0;image;0;0;10;10;1;0;0;" + dir.Write("p.tif", "x") + ";",
                 "0;0;0;0;line;0;0;10;10;2;x;0;0;",
                 "0;0;0;0;image;0;0;0;0;0;0;0;" + dir.File("") + ";"});  // a folder
  EXPECT_GE(calls.size(), 5u);                                           // the frame and the line
  ASSERT_EQ(page.context.pictureFailures.size(), 2u);
  EXPECT_EQ(page.context.pictureFailures[0],
            "2 行目の画像: 拡張子 .tif の画像形式は処理できません");
  EXPECT_EQ(page.context.pictureFailures[1].rfind("4 行目の画像: 画像を読み込めません", 0), 0u)
      << page.context.pictureFailures[1];
}

}  // namespace
}  // namespace layout
