// Pointing at shapes as the page drawing draws them: every pixel an
// outline paints is a hit; a point clearly away from every painted pixel
// is not, so a clear shape lets clicks through to what lies inside it.

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <vector>

#include "designer/core/ElementGeometry.h"
#include "designer/core/StyleDocument.h"
#include "layout/qt/QtSurface.h"
#include "platform/text/Cp932.h"
#include "printing/core/PageDrawing.h"

namespace designer {
namespace {

constexpr int kDpi = 192;
constexpr int kSide = 600;           // pixels, about 79 mm
constexpr int kTolerancePixels = 5;  // as the designer's pointer

const QRgb kPaper = qRgb(200, 200, 200);
const Fixed kScale = printing::ScaleFor(Fixed::FromInt(kDpi));

QImage Drawn(const std::string& line) {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(kPaper);  // not white: a white fill is painted too
  QPainter painter(&image);
  layout::QtSurface surface(painter);
  printing::PageSettings settings;
  settings.resolutionX = settings.resolutionY = Fixed::FromInt(kDpi);
  settings.previewPpi = kDpi;
  printing::DrawPage(surface, {"header;Ver1.1;0;0;9;0;0;100;0;", line}, settings, nullptr);
  return image;
}

MmPoint MmOf(int x, int y) {
  auto mm = [](int pixel) {
    return Fixed::Divide(Fixed::FromInt(pixel) + Fixed::FromRaw(Fixed::kOne / 2), kScale);
  };
  return {mm(x), mm(y)};
}

std::optional<int> HitAt(const StyleDocument& document, int x, int y) {
  Fixed tolerance = Fixed::Divide(Fixed::FromInt(kTolerancePixels), kScale);
  return ElementAt(document, MmOf(x, y), tolerance, nullptr, kScale);
}

int PixelOf(int mm) {
  return layout::MmToPixel(Fixed::FromInt(mm), 0, kScale);
}

// An arc or chord's end, as the file gives it: in the drawing's pixels.
std::string EndPixels(int xMm, int yMm) {
  return std::to_string(PixelOf(xMm)) + ";" + std::to_string(PixelOf(yMm));
}

struct Case {
  const char* name;
  std::string line;  // UTF-8
  bool clear;        // a click inside lands on what lies under it
};

std::vector<Case> Cases() {
  return {
      {"rect", "0;0;0;0;rect;10;10;60;40;0;実線;0;0;", true},
      {"rounded clear", "0;0;0;0;rrect;10;10;60;40;12;8;0;実線;0;透明;0;0;", true},
      {"rounded painted", "0;0;0;0;rrect;10;10;60;40;12;8;0;実線;0;塗潰;0;0;", false},
      {"ellipse clear", "0;0;0;0;Ellipse;10;10;60;40;0;実線;0;透明;0;0;", true},
      {"ellipse painted", "0;0;0;0;Ellipse;10;10;60;40;0;実線;0;塗潰;0;0;", false},
      {"arc", "0;0;0;0;Arc;10;10;60;40;70;25;" + EndPixels(0, 25) + ";0;実線;0;塗潰;0;0;", true},
      {"arc round the back",
       "0;0;0;0;Arc;10;10;60;40;35;0;" + EndPixels(70, 40) + ";0;実線;0;透明;0;0;", true},
      {"chord clear",
       "0;0;0;0;Chord;10;10;60;40;70;25;" + EndPixels(35, 45) + ";0;実線;0;透明;0;0;", true},
      {"chord painted",
       "0;0;0;0;Chord;10;10;60;40;70;25;" + EndPixels(35, 45) + ";0;実線;0;塗潰;0;0;", false},
      {"fillrect", "1;0;0;0;fillrect;10;10;60;40;塗潰;0;0;0;", false},
      {"fillrect clear", "1;0;0;0;fillrect;10;10;60;40;枠;0;0;0;", true},
      {"line", "0;0;0;0;line;10;10;60;40;0;実線;0;0;", true},
  };
}

TEST(HitAsDrawn, EveryPaintedPixelIsAHitAndWhatIsClearlyAwayIsNot) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    StyleDocument document = StyleDocument::FromBytes("header;Ver1.1;0;0;9;0;0;100;0;\r\n" +
                                                      platform::Utf8ToCp932(c.line) + "\r\n");
    QImage image = Drawn(c.line);
    // Every painted pixel (every eighth of a painted inside), and what lies
    // within the tolerance and a pixel of rounding of one.
    constexpr int kReach = kTolerancePixels + 2;
    std::vector<bool> near(kSide * kSide, false);
    int painted = 0;
    int missed = 0;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        if (image.pixel(x, y) == kPaper) {
          continue;
        }
        if (painted++ % (c.clear ? 1 : 8) == 0 && HitAt(document, x, y) != 1) {
          ++missed;
        }
        for (int dy = -kReach; dy <= kReach; ++dy) {
          for (int dx = -kReach; dx <= kReach; ++dx) {
            int nx = x + dx, ny = y + dy;
            if (dx * dx + dy * dy <= kReach * kReach && nx >= 0 && ny >= 0 && nx < kSide &&
                ny < kSide) {
              near[static_cast<std::size_t>(ny * kSide + nx)] = true;
            }
          }
        }
      }
    }
    ASSERT_GT(painted, 100);
    EXPECT_EQ(missed, 0) << "of " << painted << " painted pixels";
    // Points on a grid clearly away from every painted pixel.
    int wrong = 0;
    for (int y = 0; y < kSide; y += 5) {
      for (int x = 0; x < kSide; x += 5) {
        if (!near[static_cast<std::size_t>(y * kSide + x)] && HitAt(document, x, y)) {
          ++wrong;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

// A clear box over a header's texts: the texts under it stay clickable
// and the box is taken by its line; a painted one takes the click.
TEST(HitAsDrawn, AClearShapeLetsClicksThroughToWhatLiesInside) {
  for (const Case& c : Cases()) {
    if (std::string(c.name) == "line" || std::string(c.name).rfind("arc", 0) == 0) {
      continue;
    }
    SCOPED_TRACE(c.name);
    // A text at the middle of the box, drawn first, so under the shape.
    StyleDocument document = StyleDocument::FromBytes(
        "header;Ver1.1;0;0;9;0;0;100;0;\r\n"
        "0;0;0;0;char;33;22;33;22;0;0;0;0;x;10;;0;0;0;AB;0;0;\r\n" +
        platform::Utf8ToCp932(c.line) + "\r\n");
    int x = PixelOf(34), y = PixelOf(24);
    EXPECT_EQ(HitAt(document, x, y), c.clear ? 1 : 2);
  }
}

}  // namespace
}  // namespace designer
