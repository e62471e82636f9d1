#include <gtest/gtest.h>

#include <algorithm>

#include "game/game_window.h"
#include "welcome_test_support.h"

namespace tf {
namespace {

// A new game from the welcome window with the 640 x 480 offer ticked, then
// its window closed.
class DisplayModeTest : public ::testing::Test, public test::WelcomeFixture {
 protected:
  DisplayModeTest() {
    project.Write("Frames/Start.fme",
                  "0,\"0\",#FALSE#,#FALSE#,\"\",#FALSE#,\"0\",\"\",\"\",#FALSE#\r\n");
    project.Write("Config/Variables", "0\r\n");
    platform.trace = &desktop.trace;
    Start();
  }
  Game& NewGame() {
    W().Img()[0].onClick();
    return *player->game;
  }
  std::vector<std::string> DisplayLines() const {
    std::vector<std::string> result;
    for (const std::string& line : trace.Lines())
      if (line.rfind("display ", 0) == 0 || line.rfind("window ", 0) == 0) result.push_back(line);
    return result;
  }

  long ModeChanges() const {
    const std::vector<std::string> lines = trace.Lines();
    return std::count_if(lines.begin(), lines.end(),
                         [](const std::string& line) { return line.rfind("display ", 0) == 0; });
  }

  RecordingTrace& trace = desktop.trace;
};

TEST_F(DisplayModeTest, TheGamePlaysOnAVirtualScreenAndClosingGivesTheDesktopBack) {
  Game& game = NewGame();
  EXPECT_EQ(desktop.display.width, 640);
  EXPECT_EQ(desktop.display.height, 480);
  game.AniGif.Load(1);
  game.AniGif.Load(2);
  game.Window().Close();
  EXPECT_EQ(desktop.display.width, 1024);
  EXPECT_EQ(desktop.display.height, 768);
  EXPECT_EQ(game.AniGif.UBound(), 0);
  EXPECT_FALSE(game.Window().Visible());
  EXPECT_TRUE(W().Window().Visible());
  EXPECT_EQ(trace.Lines().front(), "display ChangeDisplaySettings 640 480 -> 0");
  EXPECT_EQ(trace.Lines().back(), "display ChangeDisplaySettings 1024 768 -> 0");
  EXPECT_TRUE(desktop.messages.calls.empty());
}

TEST_F(DisplayModeTest, WithoutPermissionClosingNeverRestores) {
  Game& game = NewGame();
  player->info.AllowDisplayChange = 2;
  game.Window().Close();
  EXPECT_EQ(desktop.display.width, 640);
  EXPECT_EQ(ModeChanges(), 1);  // the switch only
  EXPECT_TRUE(W().Window().Visible());
}

TEST_F(DisplayModeTest, ARefusedModeIsToldOnceAndTheScreenStays) {
  desktop.display.refusedModes = {{640, 480}};
  Game& game = NewGame();
  ASSERT_EQ(desktop.messages.calls.size(), 1u);
  EXPECT_EQ(desktop.messages.calls[0].text,
            "Unable to change display resolution. Mode not supported");
  EXPECT_EQ(desktop.messages.calls[0].icon, ui::MessageIcon::Information);
  EXPECT_EQ(desktop.messages.calls[0].title, "Quest");
  EXPECT_EQ(trace.Lines().front(), "display ChangeDisplaySettings 640 480 -> -2");
  // The screen kept its size: closing changes nothing.
  game.Window().Close();
  EXPECT_EQ(desktop.messages.calls.size(), 1u);
  EXPECT_EQ(ModeChanges(), 1);
}

TEST_F(DisplayModeTest, F11AndAltEnterToggleFullscreenAndTheChoiceIsKept) {
  Game& game = NewGame();
  ui::Form& window = game.Window();
  EXPECT_TRUE(window.FullScreen());
  window.onKeyDown(ui::kKeyF1 + 10, 0);
  EXPECT_FALSE(window.FullScreen());
  EXPECT_EQ((desktop.settings.values[{"Games", "Key", "FullScreen"}]), "0");
  window.onKeyDown(ui::kKeyReturn, ui::kAltKey);
  EXPECT_TRUE(window.FullScreen());
  EXPECT_EQ((desktop.settings.values[{"Games", "Key", "FullScreen"}]), "1");
  window.onKeyDown(ui::kKeyF1 + 10, ui::kShiftKey);
  EXPECT_EQ(window.GetScaling(), ui::Scaling::SharpInteger);
  EXPECT_EQ((desktop.settings.values[{"Games", "Key", "Scaling"}]), "sharp");
  // Enter alone and Esc still reach the game.
  window.onKeyDown(ui::kKeyEscape, 0);
  EXPECT_TRUE(game.mnuExit.Visible());

  window.onKeyDown(ui::kKeyF1 + 10, 0);
  window.Close();
  NewGame();
  EXPECT_FALSE(window.FullScreen());
  EXPECT_EQ(window.GetScaling(), ui::Scaling::SharpInteger);
}

}  // namespace
}  // namespace tf
