#include "media/play_mp3s.h"

#include <gtest/gtest.h>

#include "game/game_window.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

class PlayMP3sTest : public ::testing::Test, public test::GameFixture {
 protected:
  std::string Path(const std::string& name) { return GetPlayer().paths.FramesPath + name; }
  // Lets the request's timer fire and waits for its thread to start playing.
  void StartPlaying(size_t plays = 1) {
    desktop.clock.Advance(1000);
    ASSERT_TRUE(desktop.mp3->WaitForPlays(plays));
  }
};

TEST_F(PlayMP3sTest, PlayingLastsTheWholeSecondsOfTheMusicAndFiveMore) {
  Game& game = GetGame();
  desktop.mp3->lengthMs = 125900;
  RequestMP3(game, Path("long.mp3"));
  EXPECT_TRUE(MP3IsPlaying(game));
  StartPlaying();
  EXPECT_FALSE(game.MP3Timer.Enabled());
  desktop.clock.Advance(130000);
  EXPECT_TRUE(MP3IsPlaying(game));
  desktop.clock.Advance(1000);
  EXPECT_FALSE(MP3IsPlaying(game));
}

TEST_F(PlayMP3sTest, UntilTheThreadMeasuresItAMinuteIsAssumed) {
  Game& game = GetGame();
  RequestMP3(game, Path("a.mp3"));
  game.MP3Timer.SetEnabled(false);
  desktop.clock.Advance(65000);
  EXPECT_TRUE(MP3IsPlaying(game));
  desktop.clock.Advance(1000);
  EXPECT_FALSE(MP3IsPlaying(game));
}

TEST_F(PlayMP3sTest, ASecondRequestBeforeTheTickReplacesThePathAndStopMakesItEnd) {
  Game& game = GetGame();
  desktop.mp3->lengthMs = 90000;
  RequestMP3(game, Path("a.mp3"));
  desktop.clock.Advance(500);
  RequestMP3(game, Path("b.mp3"));
  StartPlaying();
  desktop.clock.Advance(3000);
  EXPECT_EQ(desktop.mp3->Played(), std::vector<std::string>{Path("b.mp3")});
  EXPECT_EQ(desktop.trace.Lines(),
            (std::vector<std::string>{"mp3 mp3stop", "mp3 mp3stop",
                                      "mp3 mp3gettime \"" + Path("b.mp3") + "\"",
                                      "mp3 mp3play \"" + Path("b.mp3") + "\""}));
  EXPECT_TRUE(MP3IsPlaying(game));
  StopMP3(game);
  EXPECT_FALSE(MP3IsPlaying(game));
}

}  // namespace
}  // namespace tf
