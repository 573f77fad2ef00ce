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

TEST(ProgramIconTest, CarriesADrawnPictureForEveryThemeSize) {
  const QIcon icon = varnel::ProgramIcon();
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    ASSERT_EQ(image.size(), QSize(size, size));
    EXPECT_TRUE(ShowsTheChangedLine(image));
    // The corners stay clear, so the icon sits on any background.
    EXPECT_EQ(image.pixelColor(size - 1, 0).alpha(), 0);
  }
  EXPECT_EQ(varnel::ProgramPixmap().size(), QSize(32, 32));
}

}  // namespace
