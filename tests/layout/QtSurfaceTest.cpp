// The QPainter surface keeps the desktop's pixel conventions: checked on
// small offscreen images.

#include "layout/qt/QtSurface.h"

#include <gtest/gtest.h>
#include <QFontMetrics>
#include <QImage>
#include <QPainterPath>
#include <set>

#include "layout/core/Pictures.h"
#include "layout/qt/QtPictureDecoder.h"
#include "platform/errors/UserError.h"
#include "platform/text/Cp932.h"
#include "tests/support/JpegWriter.h"
#include "tests/support/TempDir.h"

namespace layout {
namespace {

struct Canvas {
  QImage image;
  explicit Canvas(int w, int h) : image(w, h, QImage::Format_RGB32) { image.fill(Qt::white); }

  void Draw(const std::function<void(QtSurface&)>& draw) {
    QPainter painter(&image);
    QtSurface surface(painter);
    draw(surface);
  }
  bool Dark(int x, int y) const { return qGray(image.pixel(x, y)) < 128; }
  int DarkCount() const {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        count += Dark(x, y) ? 1 : 0;
      }
    }
    return count;
  }
};

TEST(QtSurface, LinesLeaveOutTheirEndPixel) {
  Canvas c(20, 12);
  c.Draw([](QtSurface& s) {
    s.MoveTo(2, 2);
    s.LineTo(10, 2);
    s.MoveTo(2, 5);
    s.LineTo(10, 9);
  });
  EXPECT_TRUE(c.Dark(2, 2));
  EXPECT_TRUE(c.Dark(9, 2));
  EXPECT_FALSE(c.Dark(10, 2));
  EXPECT_TRUE(c.Dark(2, 5));
  EXPECT_FALSE(c.Dark(10, 9));
}

TEST(QtSurface, ALineGivenTheOtherWayLeavesOutItsOwnEnd) {
  Canvas c(20, 14);
  c.Draw([](QtSurface& s) {
    s.MoveTo(10, 2);
    s.LineTo(2, 2);  // right to left
    s.MoveTo(15, 12);
    s.LineTo(15, 4);  // upwards
    s.MoveTo(10, 9);
    s.LineTo(2, 5);  // diagonal, back
  });
  EXPECT_TRUE(c.Dark(10, 2));
  EXPECT_TRUE(c.Dark(3, 2));
  EXPECT_FALSE(c.Dark(2, 2));
  EXPECT_TRUE(c.Dark(15, 12));
  EXPECT_TRUE(c.Dark(15, 5));
  EXPECT_FALSE(c.Dark(15, 4));
  EXPECT_TRUE(c.Dark(10, 9));
  EXPECT_FALSE(c.Dark(2, 5));
}

// The dark pixels of a canvas.
std::set<std::pair<int, int>> DarkPixels(const Canvas& c) {
  std::set<std::pair<int, int>> pixels;
  for (int y = 0; y < c.image.height(); ++y) {
    for (int x = 0; x < c.image.width(); ++x) {
      if (c.Dark(x, y)) {
        pixels.insert({x, y});
      }
    }
  }
  return pixels;
}

TEST(QtSurface, ABackwardLineSetsTheForwardLinesPixelsButItsOwnEnds) {
  // Slopes 1/2, 1/6, 5/6 and 1, along x and along y.
  const int lines[][4] = {{20, 12, 4, 4}, {28, 6, 4, 2},  {16, 14, 4, 4},
                          {14, 14, 4, 4}, {12, 20, 4, 4}, {6, 28, 2, 4}};
  for (const auto& l : lines) {
    SCOPED_TRACE(std::to_string(l[0]) + "," + std::to_string(l[1]) + " to " + std::to_string(l[2]) +
                 "," + std::to_string(l[3]));
    Canvas backward(32, 32);
    backward.Draw([&](QtSurface& s) {
      s.MoveTo(l[0], l[1]);
      s.LineTo(l[2], l[3]);
    });
    Canvas forward(32, 32);
    forward.Draw([&](QtSurface& s) {
      s.MoveTo(l[2], l[3]);
      s.LineTo(l[0], l[1]);
    });
    std::set<std::pair<int, int>> expected = DarkPixels(forward);
    expected.erase({l[2], l[3]});
    expected.insert({l[0], l[1]});
    EXPECT_EQ(DarkPixels(backward), expected);
  }
  // A dotted pen starts its pattern at the line's own start.
  Canvas dotted(32, 8);
  dotted.Draw([](QtSurface& s) {
    s.SetPenStyle(layout::PenStyle::Dot);
    s.MoveTo(29, 3);
    s.LineTo(2, 3);
  });
  EXPECT_TRUE(dotted.Dark(29, 3));
  EXPECT_TRUE(dotted.Dark(27, 3));
  EXPECT_FALSE(dotted.Dark(26, 3));
}

TEST(QtSurface, ALineOfNoLengthLeavesNoMark) {
  for (int width : {1, 3}) {
    Canvas c(12, 12);
    c.Draw([&](QtSurface& s) {
      s.SetPenWidth(width);
      s.MoveTo(5, 5);
      s.LineTo(5, 5);
    });
    EXPECT_EQ(c.DarkCount(), 0) << "width " << width;
  }
}

TEST(QtSurface, BoxesExcludeTheirRightAndBottomEdges) {
  Canvas c(20, 12);
  c.Draw([](QtSurface& s) {
    s.SetBrushColor(layout::kBlack);
    s.FillRect(2, 2, 10, 8);
  });
  EXPECT_EQ(c.DarkCount(), 8 * 6);
  EXPECT_TRUE(c.Dark(9, 7));
  EXPECT_FALSE(c.Dark(10, 7));
  EXPECT_FALSE(c.Dark(9, 8));
  Canvas r(20, 12);
  r.Draw([](QtSurface& s) {
    s.SetBrushStyle(layout::BrushStyle::Clear);
    s.Rectangle(2, 2, 10, 8);
  });
  EXPECT_TRUE(r.Dark(2, 2));
  EXPECT_TRUE(r.Dark(9, 7));
  EXPECT_FALSE(r.Dark(10, 7));
  EXPECT_FALSE(r.Dark(5, 5));  // outline only
}

TEST(QtSurface, HatchesAreAnchoredAtTheDeviceOrigin) {
  Canvas c(24, 8);
  c.Draw([](QtSurface& s) {
    s.SetBrushStyle(layout::BrushStyle::Vertical);
    s.SetBrushColor(layout::kBlack);  // a colour keeps the hatch
    s.FillRect(3, 0, 24, 8);
  });
  for (int x = 0; x < 24; ++x) {
    EXPECT_EQ(c.Dark(x, 3), x == 4 || x == 12 || x == 20) << x;
  }
}

TEST(QtSurface, DashesAreEighteenOnSixOff) {
  Canvas c(60, 3);
  c.Draw([](QtSurface& s) {
    s.SetPenStyle(layout::PenStyle::Dash);
    s.MoveTo(0, 1);
    s.LineTo(60, 1);
  });
  for (int x = 0; x < 48; ++x) {
    EXPECT_EQ(c.Dark(x, 1), x % 24 < 18) << x;
  }
}

TEST(QtSurface, ClipFilledTextPaintsOnlyInsideTheGlyphs) {
  Canvas c(200, 60);
  int box = 0;
  c.Draw([&](QtSurface& s) {
    s.SetFontFace("ＭＳ ゴシック");
    s.SetFontStyle({true, false});
    s.SetFontSize(30);
    layout::Extent e = s.TextExtent("Quill");
    box = e.width * e.height;
    s.SetBrushColor(layout::kBlack);
    ASSERT_TRUE(s.SelectGlyphClip(5, 5, 5 + e.width, 5 + e.height, "Quill"));
    s.FillRect(5, 5, 5 + e.width, 5 + e.height);
    s.ClearClip();
    EXPECT_FALSE(s.SelectGlyphClip(5, 5, 50, 50, ""));
    s.ClearClip();
  });
  EXPECT_GT(c.DarkCount(), box / 8);
  EXPECT_LT(c.DarkCount(), box * 3 / 4);
  EXPECT_FALSE(c.Dark(0, 0));
}

TEST(QtSurface, RotatedFontsHaveTheAskedCellHeight) {
  Canvas c(10, 10);
  c.Draw([](QtSurface& s) {
    s.SelectRotatedFont("ＭＳ 明朝", 14, 900);
    EXPECT_NEAR(QFontMetrics(s.CurrentFont()).height(), 14, 1);
    s.SelectRotatedFont("ＭＳ 明朝", 100, 0);
    EXPECT_NEAR(QFontMetrics(s.CurrentFont()).height(), 100, 2);
  });
}

// How far text drawn by the surface strays from the glyphs' own outlines:
// the mean difference of grey over the text's box, 0 to 255.
int StrayFromOutlines(const char* face, int points, const char* text) {
  Canvas drawn(80, 30);
  drawn.Draw([&](QtSurface& s) {
    s.SetFontFace(face);
    s.SetFontSize(points);
    s.TextOut(4, 4, text);
  });
  QFont font(QString::fromUtf8(face));
  font.setPixelSize((points * 96 + 36) / 72);
  font.setHintingPreference(QFont::PreferNoHinting);
  Canvas outline(80, 30);
  {
    QPainter painter(&outline.image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    path.addText(QPointF(4, 4 + QFontMetrics(font).ascent()), font, QString::fromUtf8(text));
    painter.fillPath(path, Qt::black);
  }
  int sum = 0;
  int pixels = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 80; ++x) {
      int a = qGray(drawn.image.pixel(x, y));
      int b = qGray(outline.image.pixel(x, y));
      if (a < 250 || b < 250) {
        sum += std::abs(a - b);
        ++pixels;
      }
    }
  }
  return pixels > 0 ? sum / pixels : 0;
}

TEST(QtSurface, SmallDigitsKeepTheirShapesAtScreenResolution) {
  // A 7-point date at zoom 100 must not read "08/08" as "03/03": the drawn
  // digits stay close to the glyphs' outlines.
  for (const char* face : {"ＭＳ 明朝", "ＭＳ ゴシック"}) {
    for (int points : {6, 7, 8}) {
      int stray = StrayFromOutlines(face, points, "08/08");
      // Drawn from the outlines this is about 5; the fonts' hinting gave 14 to 47.
      EXPECT_LT(stray, 12) << face << " " << points << " pt";
    }
  }
}

TEST(QtSurface, StretchingIsNearestNeighbour) {
  layout::Bitmap two{2, 1, {0xFF000000u, 0xFFFFFFFFu}};
  Canvas c(12, 2);
  c.Draw([&](QtSurface& s) { s.StretchBitmap(1, 0, 10, 2, two); });
  for (int x = 1; x <= 10; ++x) {
    EXPECT_EQ(c.Dark(x, 1), x <= 5) << x;
  }
}

TEST(QtSurface, HostileCoordinatesStayWithinTheIntRange) {
  // Boxes from one end of the pixel range to the other, either way round.
  Canvas c(20, 20);
  c.Draw([](QtSurface& s) {
    const int far = 1 << 29;
    s.SetBrushColor(layout::kBlack);
    s.FillRect(-far, -far, far, far);
    s.Ellipse(far, far, -far, -far);
    s.RoundRect(-far, -far, far, far, far, far);
    s.Arc(far, 0, -far, 10, 0, 0, 5, 5);
    s.Chord(-far, -far, far, far, 0, 0, 5, 5);
  });
  EXPECT_TRUE(c.Dark(10, 10));
}

TEST(Pictures, AJpegClaimingAHugeSizeIsRefusedBeforeDecoding) {
  std::string jpeg = testsupport::MakeJpeg(8, 8);
  // The start-of-frame marker FF C0: length, precision, height, width.
  std::size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  jpeg[sof + 5] = '\x4E';  // height 20000
  jpeg[sof + 6] = '\x20';
  jpeg[sof + 7] = '\x4E';  // width 20000
  jpeg[sof + 8] = '\x20';
  try {
    DecodeJpegBytes(jpeg);
    FAIL() << "no error";
  } catch (const platform::UserError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("JPEG エラー #", 0), 0u);
  }
}

TEST(Pictures, JpegFromItsStartMarkerAndTheMessagesOfBadPictures) {
  testsupport::TempDir dir;
  std::string jpeg = testsupport::MakeJpeg(40, 30);
  QtPictureDecoder decoder;
  layout::Picture near =
      layout::LoadPicture(dir.Write("near.jpg", std::string(100, 'x') + jpeg), decoder);
  EXPECT_EQ(near.bitmap.width, 40);
  EXPECT_EQ(near.bitmap.height, 30);
  layout::Picture far =
      layout::LoadPicture(dir.Write("far.JPEG", std::string(300, 'x') + jpeg), decoder);
  EXPECT_TRUE(far.isBitmap);
  EXPECT_EQ(far.bitmap.width, 0);  // no start marker in reach: nothing to draw
  try {
    layout::LoadPicture(dir.Write("bad.jpg", "\xFF\xD8\xFF\xE0 broken"), decoder);
    FAIL() << "no error";
  } catch (const platform::UserError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("JPEG エラー #", 0), 0u);
  }
  try {
    layout::LoadPicture(dir.Write("bad.bmp", "BM not really a bitmap"), decoder);
    FAIL() << "no error";
  } catch (const platform::UserError& e) {
    EXPECT_STREQ(e.what(), "ビットマップイメージが不正です");
  }
}

}  // namespace
}  // namespace layout
