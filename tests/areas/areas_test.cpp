#include "areas/areas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "frames/open_frame.h"
#include "platform/runtime_test_support.h"
#include "state/variables.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

std::string Lines(std::initializer_list<std::string> values) {
  std::string text;
  for (const auto& value : values) text += value + "\r\n";
  return text;
}

std::string ThreeFrameGif() {
  std::ifstream in(std::filesystem::path(TF_TEST_FIXTURES) / "three.gif", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class AreasTest : public ::testing::Test, public test::GameFixture {
 protected:
  void Frame(int areas) {
    WriteFrame("F", "0\r\n\"0\"");
    project.Write("Frames/F.lks", std::to_string(areas) + "\r\n");
  }
  void AreaFile(int index, const std::string& body) {
    project.Write("Areas/F/" + std::to_string(index) + "a.dat", body);
  }
  Game& Open() {
    Game& game = GetGame();
    OpenFrame(game, "F");
    return game;
  }
};

TEST_F(AreasTest, AnAreaFileChangedBetweenTwoOpeningsIsReadAnew) {
  Frame(1);
  AreaFile(1, Lines({"300", "450", "100", "160", "0", "0", "\"\"", "0", "\"\"", "0"}));
  EXPECT_EQ(Open().Area[1].Left(), 330);
  AreaFile(1, Lines({"600", "450", "100", "160", "0", "0", "\"\"", "0", "\"\"", "0"}));
  EXPECT_EQ(Open().Area[1].Left(), 630);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(AreasTest, TheShownRectangleIsInsetByTwoPixels) {
  Frame(2);
  AreaFile(1, Lines({"300", "450", "100", "160", "0", "0", "\"\"", "0", "\"\"", "0"}));
  AreaFile(2, Lines({"0", "0", "40", "60", "0", "0", "\"\"", "0", "\"\"", "0"}));
  Game& game = Open();
  EXPECT_EQ(game.Area[1].Left(), 330);
  EXPECT_EQ(game.Area[1].Top(), 480);
  EXPECT_EQ(game.Area[1].Width(), 40);
  EXPECT_EQ(game.Area[1].Height(), 100);
  EXPECT_EQ(game.Area[2].Width(), 1);
  EXPECT_EQ(game.Area[2].Height(), 1);
  EXPECT_TRUE(game.Area[1].Visible());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(AreasTest, AFrameWithoutAreasMakesNoElement) {
  Frame(0);
  Game& game = Open();
  EXPECT_EQ(game.Area.UBound(), 0);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(AreasTest, PicturesFollowTheirFlags) {
  project.Write("Areas/dot.gif", ThreeFrameGif());
  Frame(2);
  // A still picture, stretched.
  AreaFile(1, Lines({"0", "0", "360", "360", "0", "-1", "\"dot.gif\"", "1", "\"\"", "0"}));
  // Animated without a picture: a transparent still area.
  AreaFile(2, Lines({"0", "0", "360", "360", "1", "0", "\"dot.gif\"", "1", "\"\"", "0"}));
  Game& game = Open();
  EXPECT_TRUE(game.Area[1].HasPicture());
  EXPECT_TRUE(game.Area[1].Stretch());
  EXPECT_FALSE(game.Area[2].HasPicture());
  EXPECT_EQ(game.AniGifBox.UBound(), 0);
}

TEST_F(AreasTest, AnAnimatedAreaPlaysInItsBoxAtTheDefaultSpeed) {
  project.Write("Areas/dot.gif", ThreeFrameGif());
  Frame(1);
  AreaFile(1, Lines({"600", "300", "360", "360", "1", "-1", "\"dot.gif\"", "0", "\"\"", "0"}));
  project.Write("Areas/F/1c.dat", Lines({"0", "\"\""}));
  Game& game = Open();
  ASSERT_TRUE(game.AniGifBox.Exists(1));
  EXPECT_EQ(game.AniGifIndex[1], 1);
  EXPECT_EQ(game.AniGifBox[1].Left(), 630);
  EXPECT_EQ(game.AniGifBox[1].Top(), 330);
  // The box takes the picture's size: 8 x 6 pixels.
  EXPECT_EQ(game.AniGifBox[1].Width(), 120);
  EXPECT_EQ(game.AniGifBox[1].Height(), 90);
  EXPECT_EQ(game.AniGif[1].Speed(), 50);
  EXPECT_TRUE(game.AniGif[1].Playing());
  EXPECT_TRUE(game.AniGifBox[1].Visible());
  // The area's own one-pixel element is neither seen nor clicked.
  EXPECT_FALSE(game.Area[1].Visible());
  EXPECT_FALSE(game.Area[1].onMouseDown);
}

TEST_F(AreasTest, AnAnimationStopsWhileHiddenAndRestartsWhenShownAgain) {
  project.Write("Areas/dot.gif", ThreeFrameGif());
  WriteVariables("1\r\n\"Show\"\r\n");
  Frame(1);
  AreaFile(1, Lines({"0", "0", "360", "360", "1", "-1", "\"dot.gif\"", "0", "\"\"", "1", "0", "1",
                     "\"Show\""}));
  project.Write("Areas/F/1c.dat", Lines({"0", "\"\"", "0", "0", "100"}));
  Game& game = GetGame();
  LoadVariables(game);
  ChangeVariableValue(game, "Show", 1);
  OpenFrame(game, "F");
  ui::AnimatedPicture& picture = game.AniGif[1];
  EXPECT_EQ(picture.Speed(), 100);
  ASSERT_TRUE(picture.Playing());
  ChangeVariableValue(game, "Show", 0);
  ShowOrNotShowAreas(game);
  EXPECT_FALSE(game.AniGifBox[1].Visible());
  EXPECT_FALSE(picture.Playing());
  ChangeVariableValue(game, "Show", 1);
  ShowOrNotShowAreas(game);
  EXPECT_TRUE(game.AniGifBox[1].Visible());
  EXPECT_TRUE(picture.Playing());
  EXPECT_EQ(picture.CurrentFrame(), 0);
}

TEST_F(AreasTest, ADisappearedAreaStaysHiddenWithoutConditions) {
  Frame(2);
  AreaFile(1, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "0"}));
  AreaFile(2, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "0"}));
  Game& game = GetGame();
  game.Disappear.Add("F", 1);
  game.Disappear.Add("G", 2);
  OpenFrame(game, "F");
  EXPECT_FALSE(game.Area[1].Visible());
  EXPECT_TRUE(game.Area[2].Visible());
}

TEST_F(AreasTest, UndeclaredVariablesNeverDecide) {
  WriteVariables("1\r\n\"On\"\r\n");
  Frame(2);
  AreaFile(1, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "1", "1", "\"Ghost\"",
                     "1", "\"Spirit\""}));
  AreaFile(2, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "1", "0", "2",
                     "\"Ghost\"", "\"On\""}));
  Game& game = GetGame();
  LoadVariables(game);
  OpenFrame(game, "F");
  EXPECT_TRUE(game.Area[1].Visible());
  EXPECT_FALSE(game.Area[2].Visible());
  ChangeVariableValue(game, "On", 1);
  ShowOrNotShowAreas(game);
  EXPECT_TRUE(game.Area[2].Visible());
}

TEST_F(AreasTest, AShortConditionListReportsAndLeavesLaterAreas) {
  WriteVariables("1\r\n\"On\"\r\n");
  Frame(2);
  // Three names announced, one given: evaluation reads past the end.
  AreaFile(1, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "1", "3", "\"On\""}));
  AreaFile(2, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "0"}));
  Game& game = GetGame();
  LoadVariables(game);
  OpenFrame(game, "F");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text,
            "Unable to load areas information. The game may not work properly. Press 'Esc' and "
            "then click 'Exit' to quit the game.");
  EXPECT_FALSE(game.Area[2].Visible());
}

TEST_F(AreasTest, AFailingAreaIsReportedWithItsNumberAndTheRestLoad) {
  Frame(3);
  AreaFile(1, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "0"}));
  AreaFile(3, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "0"}));
  Game& game = GetGame();
  OpenFrame(game, "F");
  ASSERT_GE(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text,
            "Unable to load area #2 (out of 3). The game may not work properly. Press 'Esc' and "
            "then click 'Exit' to quit the game.");
  EXPECT_TRUE(game.Area.Exists(3));
}

TEST_F(AreasTest, APlaceBeyondThirtyTwoBitsIsTheAreasFailure) {
  Frame(2);
  AreaFile(1, Lines({"2147483640", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "0"}));
  AreaFile(2, Lines({"0", "0", "-2147483640", "360", "0", "0", "\"\"", "0", "\"\"", "0"}));
  Open();
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0].text.substr(0, 32), "Unable to load area #1 (out of 2");
  EXPECT_EQ(Messages()[1].text.substr(0, 32), "Unable to load area #2 (out of 2");
}

// A name of megabytes, from a damaged area file, names no file: a still
// picture or a cursor fails as a missing one, an animated picture shows
// nothing. Reading each costs its file's size, not copies of the name.
TEST_F(AreasTest, AHugePictureOrCursorNameCostsItsFileOnce) {
  constexpr long kMegabytes = 24;
  Frame(3);
  {
    const std::string huge = "\"" + std::string(kMegabytes << 20, 'x') + "\"";
    AreaFile(1, Lines({"0", "0", "360", "360", "0", "-1", huge, "0", "\"\"", "0"}));
    AreaFile(2, Lines({"0", "0", "360", "360", "1", "-1", huge, "0", "\"\"", "0"}));
    AreaFile(3, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", huge, "0"}));
  }
  project.Write("Areas/F/2c.dat", Lines({"0", "\"\"", "0", "0", "50"}));
  Game& game = GetGame();
  if (!ResetPeak()) GTEST_SKIP() << "no peak reset";
  const long before = PeakKilobytes();
  OpenFrame(game, "F");
  EXPECT_LT(PeakKilobytes() - before, (kMegabytes + 8) * 1024);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0].text.substr(0, 32), "Unable to load area #1 (out of 3");
  EXPECT_EQ(Messages()[1].text.substr(0, 32), "Unable to load area #3 (out of 3");
  EXPECT_TRUE(game.AniGifBox.Exists(2));
}

TEST_F(AreasTest, OpeningAnotherFrameRemovesTheAreasAndPictures) {
  project.Write("Areas/dot.gif", ThreeFrameGif());
  Frame(2);
  AreaFile(1, Lines({"0", "0", "360", "360", "1", "-1", "\"dot.gif\"", "0", "\"\"", "0"}));
  project.Write("Areas/F/1c.dat", Lines({"0"}));
  AreaFile(2, Lines({"0", "0", "360", "360", "0", "0", "\"\"", "0", "\"\"", "0"}));
  WriteFrame("Empty", "0\r\n\"0\"");
  Game& game = Open();
  OpenFrame(game, "Empty");
  EXPECT_EQ(game.Area.UBound(), 0);
  EXPECT_EQ(game.AniGif.UBound(), 0);
  EXPECT_EQ(game.AniGifBox.UBound(), 0);
  EXPECT_TRUE(game.AniGifIndex.empty());
}

}  // namespace
}  // namespace tf
