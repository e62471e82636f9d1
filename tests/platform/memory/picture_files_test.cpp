#include "platform/memory/picture_files.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/memory/memory_platform.h"
#include "platform/runtime_test_support.h"

namespace tf::ui {
namespace {

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i, value >>= 8) out += static_cast<char>(value & 0xFF);
  return out;
}

std::string Be(uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

std::string Bmp(int32_t width, int32_t height) {
  return "BM" + Le(0, 12) + Le(40, 4) + Le(static_cast<uint32_t>(width), 4) +
         Le(static_cast<uint32_t>(height), 4) + Le(1, 2) + Le(24, 2);
}

std::string Png(uint32_t width, uint32_t height) {
  return std::string("\x89PNG\r\n\x1A\n", 8) + Be(13, 4) + "IHDR" + Be(width, 4) + Be(height, 4) +
         std::string("\x08\x02\0\0\0", 5);
}

// A marker segment (APP0 here) before the frame header, whose length must be
// followed to reach it.
std::string Jpeg(int width, int height, char frameMarker = '\xC2') {
  return std::string("\xFF\xD8\xFF\xE0", 4) + Be(16, 2) + std::string(14, 'J') + "\xFF" +
         frameMarker + Be(17, 2) + "\x08" + Be(static_cast<uint32_t>(height), 2) +
         Be(static_cast<uint32_t>(width), 2);
}

// A directory with one entry of the given sides, its 40 bytes of data after it.
std::string PointerFile(int type, int width, int height, uint32_t dataSize = 40) {
  return Le(0, 2) + Le(static_cast<uint32_t>(type), 2) + Le(1, 2) + static_cast<char>(width) +
         static_cast<char>(height) + Le(0, 2) + Le(3, 2) + Le(5, 2) + Le(dataSize, 4) + Le(22, 4) +
         std::string(40, '\0');
}

// Two frames: 250 ms, then one without a delay of its own.
std::string TwoFrameGif() {
  const std::string image = "\x2C" + Le(0, 8) + std::string("\0\x02\x02\x44\x01\0", 6);
  return "GIF89a" + Le(7, 2) + Le(5, 2) + std::string("\x80\0\0", 3) + std::string(6, '\0') +
         std::string("\x21\xF9\x04\0", 4) + Le(25, 2) + std::string("\0\0", 2) + image + image +
         "\x3B";
}

TEST(PictureFilesTest, ReadsTheSizeFromEachKindOfHeader) {
  const struct {
    const char* kind;
    std::string bytes;
    int width, height;
  } cases[] = {
      {"BMP", Bmp(33, 21), 33, 21},
      {"BMP stored top down", Bmp(33, -21), 33, 21},
      {"OS/2 BMP", "BM" + Le(0, 12) + Le(12, 4) + Le(9, 2) + Le(4, 2) + Le(1, 2) + Le(24, 2), 9, 4},
      {"PNG", Png(640, 480), 640, 480},
      {"progressive JPEG", Jpeg(300, 200), 300, 200},
      {"baseline JPEG", Jpeg(301, 201, '\xC0'), 301, 201},
      {"GIF", TwoFrameGif(), 7, 5},
      {"icon of 256", PointerFile(1, 0, 0), 256, 256},
      {"cursor", PointerFile(2, 32, 16), 32, 16},
  };
  for (const auto& picture : cases) {
    SCOPED_TRACE(picture.kind);
    std::optional<PictureInfo> info = ReadPictureInfo(picture.bytes);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, picture.width);
    EXPECT_EQ(info->height, picture.height);
  }
  EXPECT_EQ(ReadPictureInfo(TwoFrameGif())->frameDelaysMs, (std::vector<int>{250, 100}));
}

TEST(PictureFilesTest, WhatIsNoPictureOrIsCutShortIsRefused) {
  const std::string cases[] = {
      "", "just text", Png(640, 480).substr(0, 20), Bmp(0, 10),
      // A Huffman table segment is no frame header; the file ends after it.
      std::string("\xFF\xD8\xFF\xC4", 4) + Be(4, 2) + "xx", TwoFrameGif().substr(0, 19),
      PointerFile(3, 16, 16), PointerFile(1, 16, 16, 41),  // data past the end
  };
  for (const std::string& bytes : cases) EXPECT_FALSE(ReadPictureInfo(bytes)) << bytes;
}

class MemoryPictureTest : public ::testing::Test {
 protected:
  TempFolder folder;
  MemoryPlatform desktop;
  std::unique_ptr<Form> form = desktop.windows.CreateForm("W", FormStyle::Borderless);
};

TEST_F(MemoryPictureTest, ImagesTakeThePictureSizeAndKeepTheOldPictureOnFailure) {
  folder.WriteFile("Pics/Wall.png", Png(20, 10));
  folder.WriteFile("Pics/notes.bmp", "not a picture");
  Image& image = form->CreateImage("I", nullptr, -1);
  image.LoadPicture(folder.Stored("pics\\WALL.PNG"));
  EXPECT_EQ(image.Width(), 300);
  EXPECT_EQ(image.Height(), 150);
  EXPECT_EQ(ErrorOf([&] { image.LoadPicture(folder.Stored("Pics\\gone.png")); }), 53);
  EXPECT_EQ(ErrorOf([&] { image.LoadPicture(folder.Stored("Pics\\notes.bmp")); }), 481);
  EXPECT_EQ(static_cast<MemoryImage&>(image).PicturePath(), folder.Stored("pics\\WALL.PNG"));
  EXPECT_EQ(image.PictureWidth(), 300);

  image.SetStretch(true);
  image.Move(0, 0, 45, 45);
  image.LoadPicture(folder.Stored("Pics\\Wall.png"));
  EXPECT_EQ(image.Width(), 45);
  image.LoadPicture("");
  EXPECT_FALSE(image.HasPicture());
}

TEST_F(MemoryPictureTest, CustomPointersMustBeCursorOrIconFiles) {
  folder.WriteFile("hand.cur", PointerFile(2, 32, 32));
  folder.WriteFile("wall.png", Png(20, 10));
  auto& label = static_cast<MemoryLabel&>(form->CreateLabel("L", nullptr, -1));
  label.SetCustomPointer(folder.Stored("HAND.cur"));
  EXPECT_EQ(ErrorOf([&] { label.SetCustomPointer(folder.Stored("gone.cur")); }), 53);
  EXPECT_EQ(ErrorOf([&] { label.SetCustomPointer(folder.Stored("wall.png")); }), 481);
  EXPECT_EQ(label.CustomPointer(), folder.Stored("HAND.cur"));
  label.SetStandardPointer();
  EXPECT_EQ(label.CustomPointer(), "");
}

}  // namespace
}  // namespace tf::ui
