// The program's emblem stays sharp at any scale: drawn at the screen's
// device pixels, shown at its size in screen pixels; and it is every
// window's icon.

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>

#include "widgets/IconButton.h"

namespace widgets {
namespace {

TEST(Emblem, IsDrawnAtTheDevicePixelsOfTheScaleAndShownAtItsSize) {
  QPixmap doubled = ProgramEmblem(28, 2);
  EXPECT_EQ(doubled.size(), QSize(56, 56));
  EXPECT_EQ(doubled.devicePixelRatio(), 2);
  IconButton shown(doubled);
  EXPECT_EQ(shown.size(), QSize(28, 28));
  // Drawn at that size, not a 28-pixel picture blown up: the outline is
  // as thin in device pixels as at scale 1 in its own pixels.
  QImage sharp = doubled.toImage();
  QImage blurred = ProgramEmblem(28, 1).toImage().scaled(56, 56, Qt::IgnoreAspectRatio,
                                                         Qt::SmoothTransformation);
  EXPECT_NE(sharp.convertToFormat(QImage::Format_ARGB32),
            blurred.convertToFormat(QImage::Format_ARGB32));
  // By default the screen's own ratio.
  EXPECT_EQ(ProgramEmblem(24).devicePixelRatio(), qApp->devicePixelRatio());
}

TEST(Emblem, TheIconHasTheSizesDesktopsShow) {
  QIcon icon = ProgramIcon();
  for (int size : {16, 32, 48, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
  }
}

}  // namespace
}  // namespace widgets
