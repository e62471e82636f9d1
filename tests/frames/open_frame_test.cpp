#include "frames/open_frame.h"

#include <gtest/gtest.h>

#include "frames/frame_window.h"
#include "game/game_window.h"
#include "media/play_mp3s.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

class OpenFrameTest : public ::testing::Test, public test::GameFixture {
 protected:
  std::vector<std::string> History() {
    std::vector<std::string> entries;
    for (int i = 0; i < GetGame().FramesHistory.ListCount(); ++i)
      entries.push_back(GetGame().FramesHistory.List(i));
    return entries;
  }
};

TEST_F(OpenFrameTest, HistoryKeepsTheLastTwentyAndSkipsARepeat) {
  Game& game = GetGame();
  for (int i = 1; i <= 25; ++i) FramesHistoryAdd(game, "F" + std::to_string(i));
  FramesHistoryAdd(game, "F25");
  std::vector<std::string> entries = History();
  ASSERT_EQ(entries.size(), 20u);
  EXPECT_EQ(entries.front(), "F6");
  EXPECT_EQ(entries.back(), "F25");
  // Only the entry before counts: an older equal entry is added again.
  FramesHistoryAdd(game, "F24");
  EXPECT_EQ(History().back(), "F24");
}

TEST_F(OpenFrameTest, ADurationWithAFractionArmsTheTimerInMilliseconds) {
  WriteFrame("Start", "0\r\n\"0\"", true, "2.5", "Next");
  Game& game = GetGame();
  OpenFrame(game, "Start");
  EXPECT_TRUE(game.Timer1.Enabled());
  EXPECT_EQ(game.Timer1.Interval(), 2500);
  EXPECT_EQ(game.State.NextFrame, "Next");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OpenFrameTest, ADurationWithoutLeadingNumberIsZeroAndNeverFires) {
  WriteFrame("Start", "0\r\n\"0\"", true, "later", "Next");
  Game& game = GetGame();
  OpenFrame(game, "Start");
  EXPECT_TRUE(game.Timer1.Enabled());
  EXPECT_EQ(game.Timer1.Interval(), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OpenFrameTest, ADurationTheTimerCannotTakeIsReportedAndTheFrameStays) {
  WriteFrame("Start", "0\r\n\"0\"", true, "-3", "Next");
  Game& game = GetGame();
  OpenFrame(game, "Start");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].title, "Fixture");
  EXPECT_EQ(Messages()[0].text,
            "Unable to load frame duration. The game may not work properly. Press 'Esc' and then "
            "click 'Exit' to quit the game.");
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "Start");
}

TEST_F(OpenFrameTest, OpeningAnotherFrameCancelsAPendingTimedMove) {
  WriteFrame("Start", "0\r\n\"0\"", true, "1", "Timed");
  WriteFrame("Other", "0\r\n\"0\"");
  Game& game = GetGame();
  OpenFrame(game, "Start");
  OpenFrame(game, "Other");
  EXPECT_FALSE(game.Timer1.Enabled());
  EXPECT_EQ(game.Timer1.Interval(), 0);
}

// Fifty timed frames of 100 ms in a chain, on the platform's clock: none
// moves on a millisecond early or late, and the last stays with no timer
// left running.
TEST_F(OpenFrameTest, TimedFramesMoveOnExactlyAtTheirDuration) {
  constexpr int kFrames = 50;
  for (int i = 1; i < kFrames; ++i)
    WriteFrame("C" + std::to_string(i), "0\r\n\"0\"", true, "0.1", "C" + std::to_string(i + 1));
  WriteFrame("C50", "0\r\n\"0\"");
  Game& game = GetGame();
  OpenFrame(game, "C1");
  for (int i = 1; i < kFrames; ++i) {
    desktop.clock.Advance(99);
    ASSERT_EQ(GetPlayer().frames.CurrentFrameName, "C" + std::to_string(i));
    desktop.clock.Advance(1);
    ASSERT_EQ(GetPlayer().frames.CurrentFrameName, "C" + std::to_string(i + 1));
  }
  desktop.clock.Advance(10000);
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "C50");
  EXPECT_TRUE(desktop.clock.Idle());
  EXPECT_EQ(History().size(), 20u);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OpenFrameTest, AColourThatIsNoNumberLeavesTheColour) {
  WriteFrame("Red", "0\r\n\"255\"");
  WriteFrame("Odd", "0\r\n\"reddish\"");
  Game& game = GetGame();
  OpenFrame(game, "Red");
  OpenFrame(game, "Odd");
  EXPECT_EQ(game.PictureBox.BackColor(), 255u);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OpenFrameTest, AnUnloadablePictureKeepsThePreviousOne) {
  project.Write("Frames/one.png", "not a picture");
  WriteFrame("Broken", "1\r\n\"one.png\"");
  WriteFrame("Missing", "1\r\n\"none.png\"");
  Game& game = GetGame();
  OpenFrame(game, "Broken");
  OpenFrame(game, "Missing");
  EXPECT_FALSE(game.BackImage.HasPicture());
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(game.PictureBox.Visible());
}

TEST_F(OpenFrameTest, AMissingFrameGivesBothMessagesAndStaysInTheHistory) {
  WriteFrame("Start", "0\r\n\"255\"", true, "1", "Next");
  Game& game = GetGame();
  OpenFrame(game, "Start");
  OpenFrame(game, "Gone");
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0].text,
            "Sorry, unable to load 'Gone'. The game may not work properly. Press 'Esc' and then "
            "click 'Exit' to quit the game.");
  EXPECT_EQ(Messages()[1].title, "Error Loading Frame");
  EXPECT_FALSE(game.Timer1.Enabled());
  EXPECT_EQ(History(), (std::vector<std::string>{"Start", "Gone"}));
  EXPECT_EQ(game.PictureBox.BackColor(), 255u);
}

TEST_F(OpenFrameTest, ElevenFieldsFailTheOpeningButThirteenRead) {
  project.Write("Frames/Eleven.fme",
                "0\r\n\"0\"\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n#FALSE#\r\n\"0\"\r\n\"\"\r\n\"\"\r\n"
                "#FALSE#\r\n#TRUE#\r\n");
  project.Write("Frames/Thirteen.fme",
                "0\r\n\"0\"\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n#TRUE#\r\n\"1\"\r\n\"X\"\r\n\"\"\r\n"
                "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n\"\"\r\n");
  Game& game = GetGame();
  OpenFrame(game, "Thirteen");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(game.Timer1.Interval(), 1000);
  OpenFrame(game, "Eleven");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].title, "Error Loading Frame");
}

TEST_F(OpenFrameTest, AFrameThatStartsAnMp3ReleasesTheChannelsAndPlaysNoneOfItsOwn) {
  // Channel 0 loops a.wav, the other seven records set nothing.
  std::string channels;
  for (int i = 0; i < 22; ++i) channels += "0\r\n";
  channels += "0\r\n#FALSE#\r\n#TRUE#\r\n\"a.wav\"\r\n-1\r\n";
  for (int i = 0; i < 7; ++i) channels += "0\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n0\r\n";
  project.Write("Areas/a.wav", "RIFF");
  WriteFrame("Hum", "0\r\n\"0\"");
  project.Write("Frames/Hum.chn", channels);
  project.Write("Frames/Song.fme",
                "0\r\n\"0\"\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n#FALSE#\r\n\"0\"\r\n\"\"\r\n\"\"\r\n"
                "#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n\"song.mp3\"\r\n");
  project.Write("Frames/Song.chn", channels);
  Game& game = GetGame();
  OpenFrame(game, "Hum");
  EXPECT_TRUE(desktop.waveMix.ChannelSounding(0));
  OpenFrame(game, "Song");
  EXPECT_FALSE(desktop.waveMix.ChannelSounding(0));
  EXPECT_FALSE(game.SoundMixerActive);
  EXPECT_TRUE(game.MP3Timer.Enabled());
  EXPECT_EQ(game.MP3Timer.Tag(), GetPlayer().paths.FramesPath + "song.mp3");
  // Another frame with channels keeps quiet while the MP3 is deemed playing.
  OpenFrame(game, "Hum");
  EXPECT_FALSE(game.SoundMixerActive);
  EXPECT_TRUE(MP3IsPlaying(game));
}

}  // namespace
}  // namespace tf
