#include "ui/program_icon.h"

#include <QImage>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// True when the picture holds the red of the changed line, however blended
// into its neighbours at the small sizes: proof that the drawing, not just an
// empty square, made it into the picture.
bool ShowsTheChangedLine(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.alpha() > 128 && c.red() - std::max(c.green(), c.blue()) > 40) return true;
    }
  }
  return false;
}

// A window carries the pictures that window managers show, and no larger:
// each one goes to the X server as raw pixels when the window opens.
TEST(ProgramIconTest, CarriesADrawnPictureForEveryWindowManagerSize) {
  const QIcon icon = varnel::ProgramIcon();
  for (int size : {16, 22, 24, 32, 48, 64}) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_TRUE(ShowsTheChangedLine(image));
    // The corners stay clear, so the icon sits on any background.
    EXPECT_EQ(image.pixelColor(size - 1, 0).alpha(), 0);
  }
  for (const QSize& size : icon.availableSizes()) EXPECT_LE(size.width(), 64);
}

// The About picture is drawn for the screen: the rendering of the size the
// screen needs where the build made one, else the next larger scaled down.
TEST(ProgramIconTest, PictureHasThePixelsOfItsPixelRatio) {
  for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
    SCOPED_TRACE(ratio);
    const QPixmap picture = varnel::ProgramPixmap(ratio);
    const int pixels = qRound(32 * ratio);
    EXPECT_EQ(picture.size(), QSize(pixels, pixels));
    EXPECT_EQ(picture.devicePixelRatio(), ratio);
    EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(32, 32));
    EXPECT_TRUE(ShowsTheChangedLine(picture.toImage()));
  }
  for (int pixels : {32, 48, 64}) {
    const QImage rendered(QStringLiteral(":/varnel/icons/%1.png").arg(pixels));
    EXPECT_EQ(varnel::ProgramPixmap(pixels / 32.0).toImage().convertToFormat(rendered.format()),
              rendered)
        << pixels;
  }
}

}  // namespace
