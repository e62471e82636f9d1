#include <gtest/gtest.h>

#include <QGraphicsScene>
#include <QImage>
#include <QTimer>
#include <filesystem>
#include <set>

#include "platform/qt/qt_ui_test_support.h"
#include "platform/runtime_test_support.h"
#include "platform/qt/qt_controls.h"
#include "platform/qt/qt_form.h"

namespace tf::ui {
namespace {

// Three 8 x 6 frames, red, green (0, 128, 0), blue, 100 ms each, looping.
const std::filesystem::path kThreeFrames =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "fixtures" / "three.gif";

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

TEST_F(AnimatedPictureTest, PlaysAndRepaintsItsFramesFromMemoryOnceStarted) {
  picture.LoadFile(folder.Stored("three.gif"));
  std::filesystem::remove(folder.Path() / "three.gif");
  QRectF shown = picture.Item().sceneBoundingRect();
  int repaints = 0;
  QObject::connect(form.View().scene(), &QGraphicsScene::changed, [&](const QList<QRectF>& rects) {
    for (const QRectF& rect : rects) repaints += rect.intersects(shown);
  });
  RunEventsFor(50);
  int repaintsBeforeStart = repaints;

  picture.Start();
  EXPECT_TRUE(picture.Playing());
  EXPECT_EQ(FramesSeenFor(350), (std::set<int>{0, 1, 2}));
  EXPECT_GE(repaints - repaintsBeforeStart, 2);
  ASSERT_TRUE(RunEventsUntil([&] { return picture.CurrentFrame() == 1; }, 1000));
  EXPECT_EQ(ShownColour(), qRgb(0, 128, 0));
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
