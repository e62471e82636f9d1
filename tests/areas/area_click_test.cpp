#include "areas/area_click.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "frames/open_frame.h"
#include "media/mmedia.h"
#include "media/play_mp3s.h"
#include "state/variables.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

std::string Values(std::initializer_list<std::string> values) {
  std::string text;
  for (const auto& value : values) text += value + "\r\n";
  return text;
}

// The first thirteen values of an action file.
std::string Head(const std::string& change, const std::string& name, const std::string& setFalse,
                 const std::string& setTrue, const std::string& toggle,
                 const std::string& message = "0", const std::string& exitGame = "0",
                 const std::string& goTo = "0", const std::string& target = "\"\"") {
  return Values({change, "\"" + name + "\"", setFalse, setTrue, toggle, message, "\"A message\"",
                 "0", "\"\"", "0", exitGame, goTo, target});
}

std::string Tail(const std::string& movieInRectangle = "0", const std::string& left = "0",
                 const std::string& goBack = "0") {
  return Values({"0", "0", "0", "\"\"", "0", movieInRectangle, left, "0", "0", "0", "0", "0",
                 "\"\"", "0", "\"\"", "0", "0", "0", goBack});
}

class MakeActionTest : public ::testing::Test, public test::GameFixture {
 protected:
  Game& Start() {
    WriteVariables("1\r\n\"V\"\r\n");
    WriteFrame("F", "0\r\n\"0\"");
    WriteFrame("G", "0\r\n\"0\"");
    WriteFrame("H", "0\r\n\"0\"");
    Game& game = GetGame();
    LoadVariables(game);
    OpenFrame(game, "F");
    return game;
  }
  void Action(const std::string& body) { project.Write("Areas/F/1b.dat", body); }
};

TEST_F(MakeActionTest, WithoutAnActionFileNothingHappens) {
  Game& game = Start();
  EXPECT_EQ(MakeAction(game, 1, 0), kActionDone);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MakeActionTest, ClearSetAndToggleTogetherLeaveZero) {
  Game& game = Start();
  Action(Head("1", "V", "-1", "-1", "-1"));
  EXPECT_EQ(MakeAction(game, 1, 0), kActionDone);
  EXPECT_EQ(GetVariableValue(game, "V"), 0);
}

TEST_F(MakeActionTest, AFlagMustBeTrueNotJustNonZero) {
  Game& game = Start();
  Action(Head("1", "V", "0", "1", "0"));
  MakeAction(game, 1, 0);
  EXPECT_EQ(GetVariableValue(game, "V"), 0);
  Action(Head("1", "V", "0", "#TRUE#", "0"));
  MakeAction(game, 1, 0);
  EXPECT_EQ(GetVariableValue(game, "V"), 1);
}

TEST_F(MakeActionTest, LeavingTheGameStopsBeforeTheFrameChange) {
  Game& game = Start();
  Action(Head("1", "V", "0", "-1", "0", "1", "1", "1", "\"G\""));
  EXPECT_EQ(MakeAction(game, 1, 0), kActionLeaveGame);
  EXPECT_EQ(GetVariableValue(game, "V"), 1);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "A message");
  EXPECT_EQ(Messages()[0].icon, ui::MessageIcon::Information);
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "F");
}

TEST_F(MakeActionTest, ThirteenValuesAreEnoughToChangeFrame) {
  Game& game = Start();
  Action(Head("0", "", "0", "0", "0", "0", "0", "1", "\"G\""));
  EXPECT_EQ(MakeAction(game, 1, 0), kActionOpenedFrame);
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "G");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MakeActionTest, GoingBackNeedsTwoFramesAndYieldsToATarget) {
  Game& game = Start();
  Action(Head("0", "", "0", "0", "0") + Tail("0", "0", "-1"));
  EXPECT_EQ(MakeAction(game, 1, 0), kActionDone);
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "F");
  OpenFrame(game, "G");
  OpenFrame(game, "F");
  EXPECT_EQ(MakeAction(game, 1, 0), kActionOpenedFrame);
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "G");
  EXPECT_EQ(game.FramesHistory.ListCount(), 2);
  project.Write("Areas/G/1b.dat",
                Head("0", "", "0", "0", "0", "0", "0", "1", "\"H\"") + Tail("0", "0", "-1"));
  EXPECT_EQ(MakeAction(game, 1, 0), kActionOpenedFrame);
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "H");
}

TEST_F(MakeActionTest, AVideoRectangleIsGivenInPixels) {
  Game& game = Start();
  Action(Head("0", "", "0", "0", "0") +
         Values({"0", "0", "1", "\"clip.avi\"", "0", "-1", "10", "20", "30", "40"}));
  project.Write("Frames/clip.avi", "RIFF");
  // The action waits for the video, which plays in the rectangle.
  desktop.events.onEvents = [&] { desktop.media.Finish(game.MovieMedia().Alias()); };
  EXPECT_EQ(MakeAction(game, 1, 0), kActionDone);
  const std::string parent =
      " parent " + std::to_string(desktop.media.ControlHandle(game.CutSceneArea)) + " style child";
  const std::vector<std::string>& sent = desktop.media.commands;
  EXPECT_TRUE(std::any_of(sent.begin(), sent.end(), [&](const std::string& command) {
    return command.starts_with("Open ") && command.ends_with(parent);
  }));
  EXPECT_EQ(game.CutSceneArea.Left(), 150);
  EXPECT_EQ(game.CutSceneArea.Top(), 300);
  EXPECT_EQ(game.CutSceneArea.Width(), 450);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MakeActionTest, AVideoRectangleBeyondSixteenBitsFailsTheActionButKeepsItsEffects) {
  Game& game = Start();
  Action(Head("1", "V", "0", "-1", "0") +
         Values({"0", "0", "1", "\"clip.avi\"", "0", "-1", "2185", "0", "10", "10"}));
  EXPECT_EQ(MakeAction(game, 1, 0), kActionDone);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text,
            "Unable to complete area task. The game may not work properly. Press 'Esc' and then "
            "click 'Exit' to quit the game.");
  EXPECT_EQ(GetVariableValue(game, "V"), 1);
}

TEST_F(MakeActionTest, AFileCutInsideAGroupIsAFailure) {
  Game& game = Start();
  Action(Head("0", "", "0", "0", "0", "0", "0", "1", "\"G\"") + Values({"0", "0"}));
  EXPECT_EQ(MakeAction(game, 1, 0), kActionDone);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(GetPlayer().frames.CurrentFrameName, "F");
}

TEST_F(MakeActionTest, TheAreasSoundWaitsForTheMp3AndStopSoundsLeavesTheMp3) {
  Game& game = Start();
  project.Write("Areas/a.wav", "RIFF");
  const std::string sound =
      Values({"0", "\"\"", "0", "0", "0", "0", "\"\"", "-1", "\"a.wav\"", "0", "0", "0", "\"\""});
  // A sound, with StopSounds and StopMP3Music as given.
  const auto withStops = [&](const std::string& stopSounds, const std::string& stopMP3) {
    return sound + Values({"0", stopSounds, "0", "\"\"", "0", "0", "0", "0", "0", "0", stopMP3, "0",
                           "\"\"", "0", "\"\""});
  };
  RequestMP3(game, "x.mp3");
  Action(sound);
  MakeAction(game, 1, 0);
  EXPECT_FALSE(desktop.waveMix.ChannelSounding(0));
  EXPECT_TRUE(MP3IsPlaying(game));

  StopMP3(game);
  MakeAction(game, 1, 0);
  EXPECT_EQ(desktop.waveMix.ChannelFile(0), GetPlayer().paths.AreasPath + "a.wav");

  game.MP3Timer.SetEnabled(true);
  Action(withStops("1", "-1"));
  MakeAction(game, 1, 0);
  EXPECT_FALSE(game.SoundMixerActive);
  EXPECT_FALSE(desktop.waveMix.ChannelSounding(0));
  EXPECT_TRUE(game.MP3Timer.Enabled());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MakeActionTest, ADisappearanceIsRecordedForTheFrame) {
  Game& game = Start();
  Action(Values({"0", "\"\"", "0", "0", "0", "0", "\"\"", "0", "\"\"", "1", "0", "0", "\"\""}));
  MakeAction(game, 1, 0);
  MakeAction(game, 1, 0);
  ASSERT_EQ(game.Disappear.Count(), 2);
  EXPECT_EQ(game.Disappear.Item(1).Name(), "F");
  EXPECT_EQ(game.Disappear.Item(1).Value(), 1);
}

}  // namespace
}  // namespace tf
