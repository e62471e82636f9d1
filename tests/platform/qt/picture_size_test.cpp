#include "platform/qt/picture_size.h"

#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/runtime_test_support.h"

namespace tf::ui {
namespace {

std::string Little16(int value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Little32(uint32_t value) {
  return Little16(static_cast<int>(value & 0xFFFF)) + Little16(static_cast<int>(value >> 16));
}

// A GIF whose screen is width x 1 with a single black pixel drawn at its left.
std::string GifOfWidth(int width) {
  return "GIF89a" + Little16(width) + Little16(1) +
         std::string("\x80\x00\x00\x00\x00\x00\xff\xff\xff", 9) +
         std::string("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b", 16);
}

// An animation on a width x height screen of `frames` frames, each a single
// black pixel at its top left, played for ever.
std::string Animation(int width, int height, int frames) {
  std::string gif = "GIF89a" + Little16(width) + Little16(height) +
                    std::string("\x80\x00\x00\x00\x00\x00\xff\xff\xff", 9) +
                    std::string("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
  for (int i = 0; i < frames; ++i)
    gif += std::string("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00", 15);
  return gif + ";";
}

// The 54 bytes of a 24-bit bitmap's headers that declare width x height,
// without a single pixel after them.
std::string BitmapHeader(uint32_t width, uint32_t height) {
  return "BM" + Little32(54) + Little32(0) + Little32(54) + Little32(40) + Little32(width) +
         Little32(height) + Little16(1) + Little16(24) + std::string(24, '\0');
}

class PictureSizeTest : public ::testing::Test {
 protected:
  void SavePng(const std::string& name, int width, int height) {
    QImage(width, height, QImage::Format_Mono)
        .save(QString::fromStdString((folder.Path() / name).string()), "PNG");
  }

  TempFolder folder;
  QtForm form{"PictureSizeTest", FormStyle::Borderless};
  QtImage& image = static_cast<QtImage&>(form.CreateImage("Img", nullptr, -1));
  QtAnimatedPicture& animated =
      static_cast<QtAnimatedPicture&>(form.CreateAnimatedPicture("AniGif", nullptr, 1));
};

// A picture with a side beyond the limit is refused as invalid from its
// header, however little data it holds; one at the limit still loads.
TEST_F(PictureSizeTest, PictureWiderOrTallerThanAnyScreenIsInvalid) {
  SavePng("widest.png", kMaxPictureSide, 1);
  SavePng("too-wide.png", kMaxPictureSide + 1, 1);
  SavePng("too-tall.png", 1, kMaxPictureSide + 1);
  folder.WriteFile("huge.bmp", BitmapHeader(30000, 30000));
  // Its one frame is a pixel; the screen Qt draws it on first is not.
  folder.WriteFile("too-wide.gif", GifOfWidth(kMaxPictureSide + 1));

  image.LoadPicture(folder.Stored("widest.png"));
  EXPECT_EQ(image.Width(), kMaxPictureSide * 15);
  for (const char* name : {"too-wide.png", "too-tall.png", "huge.bmp", "too-wide.gif"})
    EXPECT_EQ(ErrorOf([&] { image.LoadPicture(folder.Stored(name)); }), kErrInvalidPicture) << name;
  EXPECT_EQ(image.Width(), kMaxPictureSide * 15);
}

TEST_F(PictureSizeTest, AnimatedPictureWiderThanAnyScreenIsInvalid) {
  folder.WriteFile("widest.gif", GifOfWidth(kMaxPictureSide));
  folder.WriteFile("too-wide.gif", GifOfWidth(kMaxPictureSide + 1));

  animated.LoadFile(folder.Stored("widest.gif"));
  EXPECT_EQ(animated.Width(), kMaxPictureSide * 15);
  EXPECT_EQ(ErrorOf([&] { animated.LoadFile(folder.Stored("too-wide.gif")); }), kErrInvalidPicture);
}

// Each frame is drawn on the whole screen: a few bytes of frames on a large
// screen would cost minutes to play.
TEST_F(PictureSizeTest, AnimationCostingMoreThanTheBoundToPlayIsInvalid) {
  const int allowed = static_cast<int>(kMaxAnimationPixels / (1920 * 1080));
  folder.WriteFile("allowed.gif", Animation(1920, 1080, allowed));
  folder.WriteFile("one-more.gif", Animation(1920, 1080, allowed + 1));
  folder.WriteFile("large-screen.gif", Animation(4099, 4098, 100));

  animated.LoadFile(folder.Stored("allowed.gif"));
  EXPECT_EQ(animated.Width(), 1920 * 15);
  for (const char* name : {"one-more.gif", "large-screen.gif"})
    EXPECT_EQ(ErrorOf([&] { animated.LoadFile(folder.Stored(name)); }), kErrInvalidPicture) << name;
  EXPECT_EQ(animated.Width(), 1920 * 15);
}

}  // namespace
}  // namespace tf::ui
