#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <set>
#include <vector>

#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"
#include "platform/qt/qt_ui_test_support.h"
#include "platform/runtime_test_support.h"

namespace tf::ui {
namespace {

// Three 8 x 6 frames, red, green (0, 128, 0), blue, 100 ms each, looping.
const std::filesystem::path kThreeFrames = std::filesystem::path(TF_TEST_FIXTURES) / "three.gif";

// The regions a widget paints from now on.
class PaintedRegions : public QObject {
 public:
  explicit PaintedRegions(QWidget& widget) { widget.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      regions.push_back(static_cast<QPaintEvent*>(event)->region());
    return false;
  }
  std::vector<QRegion> regions;
};

class AnimatedPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(kThreeFrames, folder.Path() / "three.gif");
    box.Move(1500, 1500, 3000, 3000);
  }

  // The frames shown while events run for that long, looked at every 10 ms.
  std::set<int> FramesSeenFor(int milliseconds) {
    std::set<int> seen{picture.CurrentFrame()};
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] { seen.insert(picture.CurrentFrame()); });
    look.start(10);
    RunEventsFor(milliseconds);
    return seen;
  }

  QRgb ShownColour() { return form.RenderControl(picture).pixel(4, 3); }

  // The picture's pixels in the window.
  QRect ShownRect() {
    return form.View().viewportTransform().mapRect(picture.Item().sceneBoundingRect()).toRect();
  }

  TempFolder folder;
  QtForm form{"GifTest", FormStyle::Borderless};
  Container& box = form.CreateContainer("AniGifBox", nullptr, 1);
  QtAnimatedPicture& picture =
      static_cast<QtAnimatedPicture&>(form.CreateAnimatedPicture("AniGif", &box, 1));
};

TEST_F(AnimatedPictureTest, LoadingTakesThePicturesSizeAndWaitsOnTheFirstFrame) {
  picture.Move(300, 450, 15, 15);
  picture.LoadFile(folder.Stored("THREE.GIF"));
  EXPECT_EQ(picture.Width(), 120);
  EXPECT_EQ(picture.Height(), 90);
  EXPECT_EQ(picture.Left(), 300);
  EXPECT_EQ(picture.Top(), 450);
  EXPECT_FALSE(picture.Playing());
  EXPECT_EQ(ShownColour(), qRgb(255, 0, 0));
  EXPECT_EQ(FramesSeenFor(250), std::set<int>{0});
}

TEST_F(AnimatedPictureTest, BadFilesRaiseTheirErrorAndKeepTheOldPicture) {
  folder.WriteFile("text.gif", "GIF89a but nothing more of a picture");
  folder.WriteFile("empty.gif", "");
  folder.WriteFile("cut.gif", folder.ReadFile("three.gif").substr(0, 20));
  picture.LoadFile(folder.Stored("three.gif"));

  EXPECT_EQ(ErrorOf([&] { picture.LoadFile(folder.Stored("none.gif")); }), kErrFileNotFound);
  for (const char* name : {"text.gif", "empty.gif", "cut.gif"}) {
    EXPECT_EQ(ErrorOf([&] { picture.LoadFile(folder.Stored(name)); }), kErrInvalidPicture) << name;
  }
  EXPECT_EQ(picture.Width(), 120);
  picture.Start();
  EXPECT_EQ(FramesSeenFor(350), (std::set<int>{0, 1, 2}));
}

// The window as it is on the screen, painted bit by bit, not drawn afresh.
QImage OnScreen(QtForm& form) {
  QWidget& view = form.View();
  return view.screen()->grabWindow(view.winId()).toImage();
}

TEST_F(AnimatedPictureTest, PlaysFromMemoryPaintingOnlyItsOwnPixels) {
  box.SetBackColor(0xFFFFFF);
  form.Move(0, 0, 400 * 15, 300 * 15);
  form.Show();
  picture.Move(300, 450, 15, 15);
  picture.LoadFile(folder.Stored("three.gif"));
  std::filesystem::remove(folder.Path() / "three.gif");
  picture.Start();
  EXPECT_TRUE(picture.Playing());
  ASSERT_TRUE(RunEventsUntil([&] { return picture.CurrentFrame() == 1; }, 1000));
  const QRect shown = ShownRect();
  // Nothing of the window is painted again: the frames go straight to it.
  PaintedRegions painted(*form.View().viewport());

  EXPECT_EQ(FramesSeenFor(350), (std::set<int>{0, 1, 2}));
  ASSERT_TRUE(RunEventsUntil([&] { return picture.CurrentFrame() == 1; }, 1000));
  EXPECT_TRUE(painted.regions.empty());
  EXPECT_EQ(ShownColour(), qRgb(0, 128, 0));
  const QImage screen = OnScreen(form);
  EXPECT_EQ(screen.pixel(shown.topLeft()), qRgb(0, 128, 0));
  EXPECT_EQ(screen.pixel(shown.bottomRight()), qRgb(0, 128, 0));
  EXPECT_EQ(screen.pixel(shown.topLeft() - QPoint(1, 1)), qRgb(255, 255, 255));
  EXPECT_EQ(screen.pixel(shown.bottomRight() + QPoint(1, 1)), qRgb(255, 255, 255));
}

TEST_F(AnimatedPictureTest, WhatComesOverThePictureStaysInSightAsTheFramesChange) {
  form.Move(0, 0, 400 * 15, 300 * 15);
  form.Show();
  picture.LoadFile(folder.Stored("three.gif"));
  const QRect shown = ShownRect();
  const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255)};
  // The colours on the screen through a round of frames, of the picture's
  // left and right halves where nothing covers them.
  auto checkRound = [&](std::optional<QRgb> left, std::optional<QRgb> right) {
    for (int frame : {1, 2, 0}) {
      ASSERT_TRUE(RunEventsUntil([&] { return picture.CurrentFrame() == frame; }, 1000));
      RunEventsFor(20);
      const QImage screen = OnScreen(form);
      EXPECT_EQ(screen.pixel(shown.topLeft()), left.value_or(colours[frame])) << "frame " << frame;
      EXPECT_EQ(screen.pixel(shown.topRight()), right.value_or(colours[frame]))
          << "frame " << frame;
    }
  };
  picture.Start();
  checkRound(std::nullopt, std::nullopt);
  // A black box comes over the picture's right half, outside its container,
  // while it plays; then goes.
  Container& over = form.CreateContainer("Over", nullptr, 1);
  over.SetBackColor(0);
  over.Move(1500 + 60, 1500, 60, 90);
  checkRound(std::nullopt, qRgb(0, 0, 0));
  over.SetVisible(false);
  checkRound(std::nullopt, std::nullopt);
  // So does a widget of the window, like its menu bar, over the left half.
  QWidget cover(&form.View());
  cover.setAutoFillBackground(true);
  cover.setPalette(QPalette(Qt::black));
  cover.setGeometry(QRect(shown.topLeft(), QSize(shown.width() / 2, shown.height())));
  cover.show();
  checkRound(qRgb(0, 0, 0), std::nullopt);
}

// Frames painted on their own give the pixels that painting the whole window
// gives, in a plain window and on a screen scaled up to the monitor, with the
// picture placed between pixels.
TEST_F(AnimatedPictureTest, FramesPaintedAloneMatchTheWholeWindowPainted) {
  // The demo's glow: shades that show where each pixel went.
  std::filesystem::copy_file(std::filesystem::path(TF_SOURCE_DIR) / "demo/Areas/glow.gif",
                             folder.Path() / "glow.gif");
  for (bool scaled : {false, true}) {
    SCOPED_TRACE(scaled ? "scaled" : "plain");
    const QSize monitor = QGuiApplication::primaryScreen()->geometry().size();
    QtForm game{"Game", FormStyle::Borderless};
    game.Move(0, 0, monitor.width() * 15, monitor.height() * 15);
    if (scaled) {
      game.SetFullScreen(true);
      game.SetVirtualScreen(QSize(640, 480));
      game.SetScaling(Scaling::SmoothFit);
    }
    Container& frameBox = game.CreateContainer("AniGifBox", nullptr, 1);
    frameBox.Move(1507, 1493, 3000, 3000);
    AnimatedPicture& shown = game.CreateAnimatedPicture("AniGif", &frameBox, 1);
    shown.LoadFile(folder.Stored("glow.gif"));
    game.Show();
    RunEventsFor(50);
    for (int frame : {1, 2}) {
      PaintedRegions painted(*game.View().viewport());
      shown.Start();
      ASSERT_TRUE(RunEventsUntil([&] { return shown.CurrentFrame() == frame; }, 1000));
      shown.Stop();
      EXPECT_TRUE(painted.regions.empty());
      const QImage alone = OnScreen(game);
      game.View().viewport()->repaint();
      EXPECT_EQ(OnScreen(game), alone) << "frame " << frame;
    }
  }
}

TEST_F(AnimatedPictureTest, StopHoldsTheFrameAndStartBeginsAgainAtTheFirst) {
  picture.LoadFile(folder.Stored("three.gif"));
  picture.Start();
  ASSERT_TRUE(RunEventsUntil([&] { return picture.CurrentFrame() == 2; }, 1000));
  picture.Stop();
  EXPECT_FALSE(picture.Playing());
  EXPECT_EQ(FramesSeenFor(250), std::set<int>{2});
  picture.Start();
  EXPECT_TRUE(picture.Playing());
  EXPECT_EQ(picture.CurrentFrame(), 0);
  EXPECT_EQ(ShownColour(), qRgb(255, 0, 0));
}

TEST_F(AnimatedPictureTest, SpeedSetsThePaceAndKeepsWhatItIsGiven) {
  for (int speed : {0, -3, 32767, 50}) {
    picture.SetSpeed(speed);
    EXPECT_EQ(picture.Speed(), speed);
  }
  picture.LoadFile(folder.Stored("three.gif"));
  // 5 is a tenth of the file's own pace: a second per frame.
  picture.SetSpeed(5);
  picture.Start();
  EXPECT_EQ(FramesSeenFor(350), std::set<int>{0});
  picture.SetSpeed(50);
  EXPECT_EQ(FramesSeenFor(1200).count(2), 1u);
  // 0 can't play, but it doesn't stop the picture either.
  picture.SetSpeed(0);
  picture.Stop();
  picture.Start();
  EXPECT_TRUE(picture.Playing());
  EXPECT_EQ(FramesSeenFor(250), std::set<int>{0});
}

TEST_F(AnimatedPictureTest, NewElementIsAHiddenEmptyCopyInTheSameBox) {
  picture.SetSpeed(20);
  picture.LoadFile(folder.Stored("three.gif"));
  auto& copy = static_cast<QtAnimatedPicture&>(form.CloneControl(picture, 2));
  EXPECT_EQ(copy.Index(), 2);
  EXPECT_EQ(copy.Name(), "AniGif");
  EXPECT_EQ(copy.GetContainer(), &box);
  EXPECT_EQ(copy.Item().parentItem(), &static_cast<QtContainer&>(box).Item());
  EXPECT_FALSE(copy.Visible());
  EXPECT_EQ(copy.Speed(), 20);
  EXPECT_EQ(copy.CurrentFrame(), -1);
  copy.Start();
  EXPECT_FALSE(copy.Playing());
}

}  // namespace
}  // namespace tf::ui
