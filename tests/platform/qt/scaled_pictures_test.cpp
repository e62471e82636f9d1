#include "platform/qt/scaled_pictures.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tf::ui {
namespace {

QPixmap Filled(QSize size, QColor colour) {
  QPixmap pixmap(size);
  pixmap.fill(colour);
  return pixmap;
}

// Pictures side by side on a screen scaled by a fraction meet without a gap
// or an overlap, each drawn where the scaled coordinates put it, and a
// picture drawn again after its scaled copy is kept comes out the same.
TEST(ScaledPicturesTest, PicturesSideBySideMeetAtTheScaledEdge) {
  QImage screen(20, 10, QImage::Format_RGB32);
  screen.fill(Qt::white);
  const QPixmap red = Filled({3, 2}, Qt::red);
  const QPixmap blue = Filled({3, 2}, Qt::blue);
  for (int pass = 0; pass < 2; ++pass) {
    QPainter painter(&screen);
    painter.scale(2.5, 2.5);
    DrawScaledPicture(painter, red, QRect(0, 1, 3, 2));
    DrawScaledPicture(painter, blue, QRect(3, 1, 3, 2));
  }
  // 0..3 scales to 0..7.5, rounded to 8 pixels; 3..6 to 8..15.
  for (int x = 0; x < 20; ++x) {
    const QColor expected = x < 8 ? Qt::red : x < 15 ? Qt::blue : Qt::white;
    EXPECT_EQ(screen.pixelColor(x, 5), expected) << "x " << x;
  }
  EXPECT_EQ(screen.pixelColor(3, 2), Qt::white);  // above: 1 scales to 2.5
  EXPECT_EQ(screen.pixelColor(3, 3), Qt::red);
  EXPECT_EQ(screen.pixelColor(3, 7), Qt::red);
  EXPECT_EQ(screen.pixelColor(3, 8), Qt::white);  // below: 3 scales to 7.5
}

}  // namespace
}  // namespace tf::ui
