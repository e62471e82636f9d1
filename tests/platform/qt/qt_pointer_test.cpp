#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/runtime_test_support.h"

namespace tf::ui {
namespace {

constexpr int kIconFile = 1;
constexpr int kCursorFile = 2;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

struct Picture {
  int side;  // pixels, square
  uint32_t argb;
  int hotX = 0;  // cursors only
  int hotY = 0;
};

void Put16(std::string& bytes, int value) {
  bytes += static_cast<char>(value & 0xFF);
  bytes += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& bytes, uint32_t value) {
  Put16(bytes, static_cast<int>(value & 0xFFFF));
  Put16(bytes, static_cast<int>(value >> 16));
}

// A 32-bit bitmap as these files hold it: the info header with the height
// doubled for the mask, the pixels, then an empty mask.
std::string BitmapOf(const Picture& picture) {
  int maskRowBytes = (picture.side + 31) / 32 * 4;
  uint32_t imageSize = picture.side * picture.side * 4 + maskRowBytes * picture.side;
  std::string bytes;
  Put32(bytes, 40);
  Put32(bytes, picture.side);
  Put32(bytes, 2 * picture.side);
  Put16(bytes, 1);
  Put16(bytes, 32);
  Put32(bytes, 0);
  Put32(bytes, imageSize);
  for (int i = 0; i < 4; ++i) Put32(bytes, 0);
  for (int i = 0; i < picture.side * picture.side; ++i) Put32(bytes, picture.argb);
  bytes.append(maskRowBytes * picture.side, '\0');
  return bytes;
}

// An icon or cursor file: the directory, then the bitmaps in entry order.
std::string PointerFile(int type, const std::vector<Picture>& pictures) {
  std::string directory;
  std::string bitmaps;
  Put16(directory, 0);
  Put16(directory, type);
  Put16(directory, static_cast<int>(pictures.size()));
  uint32_t firstOffset = 6 + 16 * static_cast<uint32_t>(pictures.size());
  for (const Picture& picture : pictures) {
    std::string bitmap = BitmapOf(picture);
    directory += static_cast<char>(picture.side & 0xFF);
    directory += static_cast<char>(picture.side & 0xFF);
    directory += std::string(2, '\0');
    Put16(directory, type == kCursorFile ? picture.hotX : 1);
    Put16(directory, type == kCursorFile ? picture.hotY : 32);
    Put32(directory, static_cast<uint32_t>(bitmap.size()));
    Put32(directory, firstOffset + static_cast<uint32_t>(bitmaps.size()));
    bitmaps += bitmap;
  }
  return directory + bitmaps;
}

class PointerTest : public ::testing::Test {
 protected:
  QtImage& NewImage(int index = -1) {
    return static_cast<QtImage&>(form.CreateImage("Img", nullptr, index));
  }
  static QPoint HotSpot(const ControlItem& item) { return item.cursor().hotSpot(); }
  static QImage PictureOf(const ControlItem& item) { return item.cursor().pixmap().toImage(); }

  TempFolder folder;
  QtForm form{"PointerTest", FormStyle::Borderless};
};

TEST_F(PointerTest, CursorPointsWithTheHotSpotOfItsFile) {
  folder.WriteFile("Icons/hand.cur", PointerFile(kCursorFile, {{32, kRed, 5, 7}}));
  folder.WriteFile("far.cur", PointerFile(kCursorFile, {{32, kRed, 40, 3}}));
  QtImage& image = NewImage();
  // Stored as a Windows folder would have it.
  image.SetCustomPointer(folder.Stored("ICONS\\Hand.CUR"));
  ASSERT_TRUE(image.Item().hasCursor());
  EXPECT_EQ(HotSpot(image.Item()), QPoint(5, 7));
  EXPECT_EQ(PictureOf(image.Item()).size(), QSize(32, 32));
  EXPECT_EQ(PictureOf(image.Item()).pixel(10, 10), kRed);
  // A hot spot off the picture stays on its edge.
  image.SetCustomPointer(folder.Stored("far.cur"));
  EXPECT_EQ(HotSpot(image.Item()), QPoint(31, 3));
}

TEST_F(PointerTest, WindowShowsTheTopmostControlsPointerAndItsOwnOverNoControl) {
  folder.WriteFile("hand.cur", PointerFile(kCursorFile, {{32, kRed, 5, 7}}));
  QWidget& window = *form.View().viewport();
  window.setCursor(Qt::CrossCursor);
  form.Move(0, 0, 200 * 15, 200 * 15);
  form.Show();
  QtImage& custom = NewImage();
  custom.Move(0, 0, 100 * 15, 100 * 15);
  custom.SetCustomPointer(folder.Stored("hand.cur"));
  QtImage& standard = NewImage();
  standard.Move(0, 0, 50 * 15, 50 * 15);
  standard.SetCustomPointer(folder.Stored("hand.cur"));
  standard.SetStandardPointer();
  // Without a pointer of its own a control shows what lies beneath it.
  QtImage& plain = NewImage();
  plain.Move(60 * 15, 60 * 15, 20 * 15, 20 * 15);
  auto shownAt = [&](int x, int y) {
    QPoint at(x, y);
    QMouseEvent move(QEvent::MouseMove, at, window.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
    return window.cursor();
  };

  EXPECT_EQ(shownAt(25, 25).shape(), Qt::ArrowCursor);
  EXPECT_EQ(shownAt(90, 90).hotSpot(), QPoint(5, 7));
  EXPECT_EQ(shownAt(150, 150).shape(), Qt::CrossCursor);
  EXPECT_EQ(shownAt(70, 70).hotSpot(), QPoint(5, 7));
  EXPECT_EQ(shownAt(25, 25).shape(), Qt::ArrowCursor);
  EXPECT_EQ(shownAt(199, 10).shape(), Qt::CrossCursor);
}

TEST_F(PointerTest, LargestPictureOfTheFileIsTheOneShown) {
  folder.WriteFile(
      "multi.cur",
      PointerFile(kCursorFile, {{16, kGreen, 1, 2}, {48, kRed, 20, 30}, {32, kBlue, 5, 7}}));
  folder.WriteFile("a.ico", PointerFile(kIconFile, {{16, kGreen}, {32, kBlue}}));
  QtImage& image = NewImage();
  image.SetCustomPointer(folder.Stored("multi.cur"));
  EXPECT_EQ(HotSpot(image.Item()), QPoint(20, 30));
  EXPECT_EQ(PictureOf(image.Item()).size(), QSize(48, 48));
  EXPECT_EQ(PictureOf(image.Item()).pixel(24, 24), kRed);
  // An icon points with its centre.
  image.SetCustomPointer(folder.Stored("a.ico"));
  EXPECT_EQ(HotSpot(image.Item()), QPoint(16, 16));
  EXPECT_EQ(PictureOf(image.Item()).pixel(0, 0), kBlue);
}

TEST_F(PointerTest, BadFilesRaiseTheirErrorAndKeepThePointerThere) {
  std::string good = PointerFile(kCursorFile, {{32, kRed, 5, 7}});
  std::string wrongType = good;
  wrongType[2] = 3;
  folder.WriteFile("hand.cur", good);
  folder.WriteFile("text.cur", "this is no cursor at all");
  folder.WriteFile("type.cur", wrongType);
  folder.WriteFile("short.cur", good.substr(0, good.size() - 100));
  folder.WriteFile("bitmap.ico", good.substr(0, 22) + std::string(good.size() - 22, '\x7F'));
  QtImage& image = NewImage();
  image.SetCustomPointer(folder.Stored("hand.cur"));

  EXPECT_EQ(ErrorOf([&] { image.SetCustomPointer(folder.Stored("none.cur")); }), kErrFileNotFound);
  for (const char* name : {"text.cur", "type.cur", "short.cur", "bitmap.ico"}) {
    EXPECT_EQ(ErrorOf([&] { image.SetCustomPointer(folder.Stored(name)); }), kErrInvalidPicture)
        << name;
  }
  EXPECT_EQ(HotSpot(image.Item()), QPoint(5, 7));
}

TEST_F(PointerTest, NewArrayElementsCarryTheTemplatesPointer) {
  folder.WriteFile("hand.cur", PointerFile(kCursorFile, {{32, kRed, 5, 7}}));
  folder.WriteFile("b.ico", PointerFile(kIconFile, {{16, kGreen}}));
  QtImage& image = NewImage(0);
  auto& box = static_cast<QtContainer&>(form.CreateContainer("Box", nullptr, 0));
  auto& picture = static_cast<QtAnimatedPicture&>(form.CreateAnimatedPicture("Gif", &box, 0));
  QtImage& plain = static_cast<QtImage&>(form.CreateImage("Plain", nullptr, 0));
  image.SetCustomPointer(folder.Stored("hand.cur"));
  box.SetCustomPointer(folder.Stored("b.ico"));
  picture.SetCustomPointer(folder.Stored("hand.cur"));

  auto& imageCopy = static_cast<QtImage&>(form.CloneControl(image, 1));
  auto& boxCopy = static_cast<QtContainer&>(form.CloneControl(box, 1));
  auto& pictureCopy = static_cast<QtAnimatedPicture&>(form.CloneControl(picture, 1));
  auto& plainCopy = static_cast<QtImage&>(form.CloneControl(plain, 1));
  EXPECT_EQ(HotSpot(imageCopy.Item()), QPoint(5, 7));
  EXPECT_EQ(HotSpot(boxCopy.Item()), QPoint(8, 8));
  EXPECT_EQ(HotSpot(pictureCopy.Item()), QPoint(5, 7));
  EXPECT_FALSE(plainCopy.Item().hasCursor());
  // The copy's pointer is its own.
  imageCopy.SetStandardPointer();
  EXPECT_EQ(HotSpot(image.Item()), QPoint(5, 7));
}

// On a game screen scaled to the monitor, a control's pointer and the picture
// of a dragged object are as large as the screen shows pictures, in the
// device's own pixels, and follow a change of the scaling. Run again on a
// desktop scaled twice.
TEST_F(PointerTest, PointersAndTheDraggedPictureGrowWithTheScreen) {
  folder.WriteFile("hand.cur", PointerFile(kCursorFile, {{32, kRed, 5, 7}}));
  const QScreen& screen = *QGuiApplication::primaryScreen();
  const QSize monitor = screen.geometry().size();
  const double fit = std::min(monitor.width() * screen.devicePixelRatio() / 640,
                              monitor.height() * screen.devicePixelRatio() / 480);
  form.Move(0, 0, monitor.width() * 15, monitor.height() * 15);
  form.SetFullScreen(true);
  form.SetVirtualScreen(QSize(640, 480));
  QtImage& area = NewImage();
  area.SetCustomPointer(folder.Stored("hand.cur"));
  QtImage& object = NewImage();
  QPixmap picture(20, 20);
  picture.fill(Qt::blue);
  object.SetPixmap(picture);
  object.SetDragIconFromPicture(object);
  form.Show();

  const QSize grown(qRound(32 * fit), qRound(32 * fit));
  EXPECT_EQ(PictureOf(area.Item()).size(), grown);
  EXPECT_EQ(HotSpot(area.Item()), QPoint(static_cast<int>(5.5 * fit), static_cast<int>(7.5 * fit)));
  const auto& copy = static_cast<const QtImage&>(form.CloneControl(area, 1));
  EXPECT_EQ(PictureOf(copy.Item()).size(), grown);
  form.BeginDrag(object);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->pixmap().size(),
            QSize(qRound(20 * fit), qRound(20 * fit)));
  form.Destroy(object);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  // Sharp: whole device pixels for a game pixel, for the pointer too.
  form.SetScaling(Scaling::SharpInteger);
  const int whole = std::max(1, static_cast<int>(fit));
  EXPECT_EQ(PictureOf(area.Item()).size(), QSize(32 * whole, 32 * whole));
  EXPECT_EQ(PictureOf(copy.Item()).size(), QSize(32 * whole, 32 * whole));
}

}  // namespace
}  // namespace tf::ui
