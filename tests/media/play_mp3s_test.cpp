#include "media/play_mp3s.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

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
  // Waits (at most a few seconds) until no MP3 thread holds the shared state.
  bool ThreadsEnded() {
    for (int tries = 0; tries < 500; ++tries) {
      if (GetGame().Mp3State.shared.use_count() == 1) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
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

// A stop supersedes a thread still measuring the music, and one about to
// play it: neither plays, and the music is not deemed to play.
TEST_F(PlayMP3sTest, AStopSupersedesTheThreadsRequestWhereverItIs) {
  Game& game = GetGame();
  desktop.mp3->lengthMs = 90000;
  for (const MemoryMp3::Call call : {MemoryMp3::Call::Length, MemoryMp3::Call::Play}) {
    desktop.mp3->Hold(call);
    RequestMP3(game, Path("a.mp3"));
    desktop.clock.Advance(1000);
    ASSERT_TRUE(desktop.mp3->WaitForCalls(call, 1));
    StopMP3(game);
    desktop.mp3->Release(call);
    ASSERT_TRUE(ThreadsEnded());
    EXPECT_TRUE(desktop.mp3->Played().empty());
    EXPECT_FALSE(MP3IsPlaying(game));
  }
}

}  // namespace
}  // namespace tf
