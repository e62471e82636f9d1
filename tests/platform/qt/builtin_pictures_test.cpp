#include "platform/qt/builtin_pictures.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <vector>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/ui/twips.h"

namespace tf::ui {
namespace {

constexpr BuiltinPicture kAll[] = {BuiltinPicture::NewGame,  BuiltinPicture::LoadGame,
                                   BuiltinPicture::Quit,     BuiltinPicture::Information,
                                   BuiltinPicture::Back,     BuiltinPicture::About,
                                   BuiltinPicture::MakerLink};

TEST(BuiltinPicturesTest, DrawnAheadTheyAreTheSamePixelsAsDrawnInPlace) {
  std::vector<QImage> inPlace;
  for (BuiltinPicture picture : kAll) {
    inPlace.push_back(MakeBuiltinPicture(picture).toImage());
    EXPECT_EQ(inPlace.back().deviceIndependentSize().toSize(), BuiltinPictureSize(picture));
  }
  BuiltinPicturesAhead ahead;
  for (size_t i = 0; i < std::size(kAll); ++i)
    EXPECT_EQ(MakeBuiltinPicture(kAll[i]).toImage(), inPlace[i]) << "picture " << i;
}

TEST(BuiltinPicturesTest, ImageTakesThePictureSizeAtOnceAndThePictureWhenNeeded) {
  QtForm form("BuiltinPictures", FormStyle::Borderless);
  BuiltinPicturesAhead ahead;
  auto& image = static_cast<QtImage&>(form.CreateImage("Img", nullptr, 0));
  image.LoadBuiltinPicture(BuiltinPicture::MakerLink);
  EXPECT_EQ(image.Width(), PixelsToTwips(120));
  EXPECT_EQ(image.Height(), PixelsToTwips(28));
  const QImage drawn = MakeBuiltinPicture(BuiltinPicture::MakerLink).toImage();
  auto& copy = static_cast<QtImage&>(image.Clone(form, 1));
  EXPECT_EQ(copy.Pixmap().toImage(), drawn);
  EXPECT_EQ(image.Pixmap().toImage(), drawn);

  // A picture put in place of one still to come is not replaced by it.
  copy.LoadBuiltinPicture(BuiltinPicture::Quit);
  copy.ClearPicture();
  EXPECT_FALSE(copy.HasPicture());
}

// On a scaled desktop a picture is drawn in the device's own pixels and
// shown pixel for pixel at its place. Run again on a desktop scaled twice.
TEST(BuiltinPicturesTest, ShownInTheDesktopsOwnPixelsWhereItLies) {
  QtForm form("Welcome", FormStyle::Borderless);
  form.Move(0, 0, 200 * 15, 200 * 15);
  auto& image = static_cast<QtImage&>(form.CreateImage("Img", nullptr, 0));
  image.LoadBuiltinPicture(BuiltinPicture::NewGame);
  image.Move(20 * 15, 72 * 15, image.Width(), image.Height());
  form.Show();
  QImage shown = form.Grab();
  const qreal ratio = shown.devicePixelRatio();
  QImage picture = image.Pixmap().toImage();
  EXPECT_EQ(picture.devicePixelRatio(), ratio);
  EXPECT_EQ(picture.size(), QSize(80, 80) * ratio);

  // The picture over the window's colour, and what the window shows there.
  picture.setDevicePixelRatio(1);
  QImage expected(picture.size(), QImage::Format_RGB32);
  expected.fill(QColor(240, 240, 240));
  QPainter(&expected).drawImage(0, 0, picture);
  shown.setDevicePixelRatio(1);
  EXPECT_EQ(shown.copy(QRect(QPoint(20, 72) * ratio, picture.size()))
                .convertToFormat(QImage::Format_RGB32),
            expected);
}

}  // namespace
}  // namespace tf::ui
