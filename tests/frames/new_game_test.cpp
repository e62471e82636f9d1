#include "frames/new_game.h"

#include <gtest/gtest.h>

#include "frames/open_frame.h"
#include "state/variables.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

class ResetAllTest : public ::testing::Test, public test::GameFixture {};

TEST_F(ResetAllTest, TheGameScreenIsCentredOnTheScreen) {
  desktop.display.width = 800;
  desktop.display.height = 600;
  Game& game = GetGame();
  ResetAll(game);
  EXPECT_EQ(game.PictureBox.Width(), 9600);
  EXPECT_EQ(game.PictureBox.Height(), 7200);
  EXPECT_EQ(game.PictureBox.Left(), 1200);
  EXPECT_EQ(game.PictureBox.Top(), 900);
  EXPECT_EQ(game.BackImage.Width(), 9600);
  EXPECT_EQ(game.BackImage.Left(), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ResetAllTest, TooWideOrNegativeASizeReportsAndKeepsTheEarlierSize) {
  Game& game = GetGame();
  ResetAll(game);
  GetPlayer().info.GameWidth = 2185;
  ResetAll(game);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text,
            "An error has occured while initializing the game. The game may not work properly. "
            "Press 'Esc' and then click 'Exit' to quit the game.");
  EXPECT_EQ(game.PictureBox.Width(), 9600);
  GetPlayer().info.GameWidth = 640;
  GetPlayer().info.GameHeight = -1;
  ResetAll(game);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[1].text, Messages()[0].text);
  EXPECT_EQ(game.PictureBox.Height(), 7200);
  GetPlayer().info.GameWidth = 2184;
  GetPlayer().info.GameHeight = 480;
  ResetAll(game);
  EXPECT_EQ(game.PictureBox.Width(), 32760);
}

TEST_F(ResetAllTest, CarriedObjectsVariablesAndHistoryAreEmptied) {
  WriteVariables("1\r\n\"V\"\r\n");
  WriteFrame("Start", "0\r\n\"0\"");
  Game& game = GetGame();
  StartNewGame(game);
  game.Disappear.Add("Start", 2);
  for (int i = 1; i <= 3; ++i) game.PickedObject.Load(i);
  game.State.CarriedObjects = {"a", "b", "c"};
  ResetAll(game);
  EXPECT_EQ(game.PickedObject.Count(), 1);
  EXPECT_EQ(game.ObjectsCount(), 0);
  EXPECT_EQ(game.Variables.Count(), 0);
  EXPECT_EQ(game.Disappear.Count(), 0);
  EXPECT_EQ(game.FramesHistory.ListCount(), 0);
}

TEST_F(ResetAllTest, ANewGameStartsEveryVariableAtZeroOnTheStartFrame) {
  WriteVariables("2\r\n\"A\"\r\n\"B\"\r\n");
  WriteFrame("Start", "0\r\n\"0\"");
  Game& game = GetGame();
  StartNewGame(game);
  ChangeVariableValue(game, "A", 1);
  ResetAll(game);
  StartNewGame(game);
  EXPECT_EQ(GetVariableValue(game, "A"), 0);
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "Start");
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace tf
