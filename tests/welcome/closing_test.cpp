#include "welcome/closing.h"

#include <gtest/gtest.h>

#include <functional>

#include "areas/area_click.h"
#include "areas/input.h"
#include "frames/editor_and_game.h"
#include "game/game_window.h"
#include "media/mmedia.h"
#include "media/music.h"
#include "welcome_test_support.h"

namespace tf {
namespace {

const std::string kPlainFrame = "0,\"0\",#FALSE#,#FALSE#,\"\",#FALSE#,\"0\",\"\",\"\",#FALSE#\r\n";
// Shows the video, then starts its music and moves on to Next five seconds
// later.
const std::string kMovieFrame =
    "0,\"0\",#FALSE#,#FALSE#,\"Song.mid\",#TRUE#,\"5\",\"Next\",\"Intro.avi\",#TRUE#\r\n";
// The first thirteen values of an action that opens `frame`.
std::string GoTo(const std::string& frame) {
  return "0,\"\",0,0,0,0,\"\",0,\"\",0,0,1,\"" + frame + "\"\r\n";
}

// The game window closes while the game waits for a video: the wait ends,
// and what was to follow it never reaches the next game.
class ClosingTest : public ::testing::Test, public test::WelcomeFixture {
 protected:
  ClosingTest() {
    project.Write("Config/Variables", "0\r\n");
    project.Write("Frames/Intro.avi", "RIFF");
    project.Write("Frames/Song.mid", "MThd");
    project.Write("Frames/Movie.fme", kMovieFrame);
    project.Write("Frames/Next.fme", kPlainFrame);
  }
  Game& NewGame() {
    W().Img()[0].onClick();
    return *player->game;
  }
  // Runs `start`, and the user's steps one for each pass of the events from
  // the first in which a video plays; the steps that the passes left run
  // once `start` has returned.
  void WhileAVideoPlays(const std::function<void()>& start,
                        const std::vector<std::function<void()>>& steps) {
    size_t next = 0;
    bool busy = false;
    desktop.events.onEvents = [&] {
      if (busy || next == steps.size()) return;
      if (next == 0 && !PlayingMovieOrNot(*player->game)) return;
      busy = true;
      steps[next++]();
      busy = false;
    };
    start();
    desktop.events.onEvents = nullptr;
    while (next < steps.size()) steps[next++]();
  }
  // Closes the game window, starts a new game and presses on its screen.
  std::vector<std::function<void()>> CloseAndPlayAgain() {
    return {[this] { player->game->Window().Close(); }, [this] { NewGame(); },
            [this] {
              Form_MouseDown(*player->game, {ui::kLeftButton, 0, 0, 0});
            }};
  }
  // The new game is at its start, its window shown, with nothing of the game
  // before.
  void ExpectTheNewGameAlone() {
    Game& game = *player->game;
    EXPECT_TRUE(game.Window().Visible());
    EXPECT_FALSE(W().Window().Visible());
    EXPECT_EQ(player->frames.CurrentFrameName, "Start");
    EXPECT_NE(game.MusicMedia().Status(), "playing");
    EXPECT_FALSE(game.Timer1.Enabled());
    desktop.clock.Advance(6000);
    EXPECT_EQ(player->frames.CurrentFrameName, "Start");
    EXPECT_TRUE(desktop.messages.calls.empty());
  }
};

TEST_F(ClosingTest, ClosingDuringAFramesVideoDropsTheRestOfTheFrame) {
  project.Write("Frames/Start.fme", kPlainFrame);
  project.Write("Areas/Start/1b.dat", GoTo("Movie"));
  Start();
  Game& game = NewGame();
  WhileAVideoPlays([&] { AreaClick(game, 1, ui::kLeftButton); }, CloseAndPlayAgain());
  ExpectTheNewGameAlone();
}

TEST_F(ClosingTest, ClosingDuringAnActionsVideoDropsItsFrameChange) {
  project.Write("Frames/Start.fme", kPlainFrame);
  project.Write("Areas/Start/1b.dat", GoTo("Next") + "0,0,1,\"Intro.avi\",0,0,0,0,0,0\r\n");
  Start();
  Game& game = NewGame();
  WhileAVideoPlays([&] { AreaClick(game, 1, ui::kLeftButton); }, CloseAndPlayAgain());
  ExpectTheNewGameAlone();
}

TEST_F(ClosingTest, ClosingDuringTheStartFramesVideoLeavesTheWelcomeWindow) {
  project.Write("Frames/Start.fme", kMovieFrame);
  Start();
  WhileAVideoPlays([&] { NewGame(); }, {[this] { player->game->Window().Close(); }});
  Game& game = *player->game;
  EXPECT_FALSE(game.Window().Visible());
  EXPECT_TRUE(W().Window().Visible());
  EXPECT_NE(game.MusicMedia().Status(), "playing");
  EXPECT_FALSE(game.Timer1.Enabled());
}

}  // namespace
}  // namespace tf
