#include "platform/qt/builtin_pictures.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(inPlace.back().size(), BuiltinPictureSize(picture));
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

}  // namespace
}  // namespace tf::ui
