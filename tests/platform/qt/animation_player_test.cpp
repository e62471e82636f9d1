#include "platform/qt/animation_player.h"

#include <gtest/gtest.h>

#include <QFile>
#include <optional>
#include <vector>

#include "platform/qt/qt_ui_test_support.h"

namespace tf::ui {
namespace {

// The fixture's three frames (red, green, blue) with the loop count given,
// or with no loop block at all.
QByteArray ThreeFrames(std::optional<int> loops) {
  QFile file(QStringLiteral(TF_TEST_FIXTURES "/three.gif"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  QByteArray bytes = file.readAll();
  const qsizetype block = bytes.indexOf("NETSCAPE2.0") - 3;
  EXPECT_GT(block, 0);
  if (!loops) return bytes.remove(block, 19);
  bytes[block + 16] = static_cast<char>(*loops);
  return bytes;
}

QRgb Colour(const AnimationPlayer& player) { return player.Frame().toImage().pixel(0, 0); }

// Frames kept from the first pass, and frames decoded afresh at each pass.
TEST(AnimationPlayerTest, PlaysThePassesTheFileAsksThenHoldsTheLastFrame) {
  const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 128, 0), blue = qRgb(0, 0, 255);
  for (qint64 kept : {AnimationPlayer::kKeptBytes, qint64(0)}) {
    for (auto [loops, passes] : {std::pair{std::optional<int>{}, 1}, {1, 2}, {2, 3}}) {
      SCOPED_TRACE(testing::Message() << "kept " << kept << ", passes " << passes);
      AnimationPlayer player(kept);
      ASSERT_TRUE(player.Open(ThreeFrames(loops)));
      EXPECT_EQ(player.FrameNumber(), 0);
      EXPECT_EQ(Colour(player), red);
      player.SetSpeed(1000);  // 10 ms a frame
      std::vector<QRgb> shown;
      player.onFrameChanged = [&] { shown.push_back(Colour(player)); };
      player.Start();
      EXPECT_TRUE(player.Running());
      ASSERT_TRUE(RunEventsUntil([&] { return !player.Running(); }, 3000));
      std::vector<QRgb> expected{green, blue};
      for (int pass = 1; pass < passes; ++pass) expected.insert(expected.end(), {red, green, blue});
      EXPECT_EQ(shown, expected);
      EXPECT_EQ(player.FrameNumber(), 2);
      // Played again from the start.
      player.Start();
      EXPECT_TRUE(player.Running());
      EXPECT_EQ(player.FrameNumber(), 0);
      EXPECT_EQ(Colour(player), red);
      ASSERT_TRUE(RunEventsUntil([&] { return player.FrameNumber() == 1; }, 1000));
      EXPECT_EQ(Colour(player), green);
    }
  }
}

TEST(AnimationPlayerTest, BytesWithoutAPictureOpenNothing) {
  AnimationPlayer player;
  EXPECT_FALSE(player.Open(QByteArray("GIF89a")));
  EXPECT_FALSE(player.Open(ThreeFrames(0).left(30)));
  player.Start();
  EXPECT_FALSE(player.Running());
}

}  // namespace
}  // namespace tf::ui
