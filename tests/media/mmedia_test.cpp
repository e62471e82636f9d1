#include "media/mmedia.h"

#include <gtest/gtest.h>

#include <ctime>

#include "areas/input.h"
#include "frames/open_frame.h"
#include "media/music.h"
#include "startup/project.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

int Minute() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_min;
}

class MmediaTest : public ::testing::Test, public test::GameFixture {
 protected:
  MmediaTest() { desktop.trace.Clear(); }

  // The alias of an open whose minute may turn over while it runs.
  static bool IsMinuteAlias(const std::string& alias, const std::string& prefix, int before,
                            int after) {
    return alias == prefix + std::to_string(before) || alias == prefix + std::to_string(after);
  }

  std::vector<std::string>& Sent() { return desktop.media.commands; }
  RecordingTrace& trace = desktop.trace;
  Mmedia media{platform, player->info.GameTitle, player->paths.ProjectPath};
};

TEST_F(MmediaTest, OpenChoosesTheDeviceByExtensionAndAliasesWithTheMinute) {
  int before = Minute();
  media.mmOpen("/g/Frames/Song.mid");
  int after = Minute();
  ASSERT_TRUE(IsMinuteAlias(media.Alias(), "mid", before, after)) << media.Alias();
  EXPECT_EQ(Sent().back(),
            "Open \"/g/Frames/Song.mid\" ALIAS " + media.Alias() + " TYPE Sequencer wait");
  EXPECT_EQ(media.FileName(), "/g/Frames/Song.mid");

  // The earlier device is closed first; the alias keeps the name's letter case.
  std::string midiAlias = media.Alias();
  before = Minute();
  media.mmOpen("/g/Frames/Bell.WAV");
  after = Minute();
  ASSERT_EQ(Sent().size(), 3u);
  EXPECT_EQ(Sent()[1], "Close " + midiAlias);
  ASSERT_TRUE(IsMinuteAlias(media.Alias(), "WAV", before, after)) << media.Alias();
  EXPECT_EQ(Sent()[2],
            "Open \"/g/Frames/Bell.WAV\" ALIAS " + media.Alias() + " TYPE Waveaudio wait");

  // Another extension: what was open is closed and nothing is opened.
  std::string waveAlias = media.Alias();
  media.mmOpen("/g/Frames/Tune.rmi");
  ASSERT_EQ(Sent().size(), 4u);
  EXPECT_EQ(Sent()[3], "Close " + waveAlias);
  EXPECT_EQ(media.Alias(), "");
  EXPECT_EQ(media.FileName(), "");
}
TEST_F(MmediaTest, AClosedObjectSendsOnlyTheModeQuery) {
  media.mmPlay();
  media.mmPause();
  media.mmStop();
  media.mmClose();
  EXPECT_EQ(media.Length(), 0);
  EXPECT_EQ(media.Position(), 0);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(media.Status(), "");
  EXPECT_EQ(Sent(), std::vector<std::string>{"Status  mode"});
  EXPECT_EQ(trace.Lines(), std::vector<std::string>{"mci Status  mode -> 263 \"\""});
}

TEST_F(MmediaTest, CommandsAddressTheAliasAndQueriesAreTracedWithTheirAnswer) {
  project.Write("Frames/a.mid", "MThd");
  std::string path = project.Path().string() + "/Frames/a.mid";
  media.mmOpen(path);
  const std::string alias = media.Alias();
  media.mmPlay();
  media.SetWait(true);
  media.mmPlay();
  media.mmPause();
  media.mmSeek(3);
  media.SetPosition(2.5F);
  desktop.media.length = "1234.5 ms";
  EXPECT_EQ(media.Length(), 1234.5F);
  desktop.media.position = "none";
  EXPECT_EQ(media.Position(), 0);
  media.mmStop();
  EXPECT_EQ(media.Status(), "stopped");
  media.mmClose();
  EXPECT_EQ(media.Alias(), "");
  const std::vector<std::string> expected = {
      "Open \"" + path + "\" ALIAS " + alias + " TYPE Sequencer wait",
      "Play " + alias,
      "Play " + alias + " wait",
      "Pause " + alias,
      "Seek " + alias + " to 3",
      "Seek " + alias + " to 2.5",
      "Status " + alias + " length",
      "Status " + alias + " position",
      "Stop " + alias,
      "Status " + alias + " mode",
      "Close " + alias};
  EXPECT_EQ(Sent(), expected);
  ASSERT_EQ(trace.Lines().size(), expected.size());
  EXPECT_EQ(trace.Lines()[0], "mci " + expected[0] + " -> 0");
  EXPECT_EQ(trace.Lines()[6], "mci Status " + alias + " length -> 0 \"1234.5 ms\"");
  EXPECT_EQ(trace.Lines()[9], "mci Status " + alias + " mode -> 0 \"stopped\"");
}

// Commands carry the project folder's system name and the game's stored
// Windows-1252 text; the trace shows both, and the answers, as UTF-8.
TEST_F(MmediaTest, TraceLinesShowTheFolderAndTheStoredTextAsUtf8) {
  const std::string folder = project.Path().string() + "/Sp\xC3\xA4tlese";
  project.Write("Sp\xC3\xA4tlese/Frames/Caf\xC3\xA9.mid", "MThd");
  SetProjectPaths(GetPlayer().paths, folder);
  Mmedia& music = GetGame().MusicMedia();
  trace.Clear();
  music.mmOpen(GetPlayer().paths.FramesPath + "Caf\xE9.mid");
  desktop.media.length = "2 \xB5s";
  EXPECT_EQ(music.Length(), 2);
  const std::vector<std::string> expected = {
      "mci Open \"" + folder + "/Frames/Caf\xC3\xA9.mid\" ALIAS " + music.Alias() +
          " TYPE Sequencer wait -> 0",
      "mci Status " + music.Alias() + " length -> 0 \"2 \xC2\xB5s\""};
  EXPECT_EQ(trace.Lines(), expected);
}

TEST_F(MmediaTest, AMissingVideoIsReportedWithItsQuotedPathAndStillPlayed) {
  Game& game = GetGame();
  std::string path = "/nowhere/Intro.avi";
  game.MovieMedia().PlayMovie(path, game.CutSceneArea);
  EXPECT_EQ(path, "\"/nowhere/Intro.avi\"");
  const std::string alias = game.MovieMedia().Alias();
  int number = std::stoi(alias);
  EXPECT_GE(number, 1);
  EXPECT_LE(number, 50);
  EXPECT_EQ(std::to_string(number), alias);
  int handle = desktop.media.ControlHandle(game.CutSceneArea);
  EXPECT_EQ(Sent(), (std::vector<std::string>{"Open \"/nowhere/Intro.avi\" ALIAS " + alias +
                                                  " TYPE AviVideo wait parent " +
                                                  std::to_string(handle) + " style child",
                                              "play " + alias}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0],
            (MessageBoxCall{"Unable to play video. Probably file not found "
                            "('\"/nowhere/Intro.avi\"').",
                            ui::MessageButtons::Ok, ui::MessageIcon::Information, "Fixture"}));
}

TEST_F(MmediaTest, AStoppedMovieKeepsItsAliasAndNoLongerCountsAsPlaying) {
  project.Write("Frames/Intro.avi", "RIFF");
  Game& game = GetGame();
  PlayMovieWithStop(game, project.Path().string() + "/Frames/Intro.avi", game.PictureBox);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(game.SkipVideoRequest, 0);
  EXPECT_TRUE(PlayingMovieOrNot(game));
  const std::string alias = game.MovieMedia().Alias();
  game.MovieMedia().StopMovie();
  EXPECT_EQ(game.MovieMedia().Alias(), alias);
  EXPECT_FALSE(PlayingMovieOrNot(game));
  EXPECT_EQ(
      std::vector<std::string>(Sent().end() - 3, Sent().end()),
      (std::vector<std::string>{"Stop " + alias, "Close " + alias, "Status " + alias + " mode"}));
}

// Frame openings: music already playing is kept, music stopped by the frame
// starts again, music after the video waits for the video to end.
class FrameMediaTest : public MmediaTest {
 protected:
  void WriteMediaFrame(const std::string& name, bool stopMusic, const std::string& movie,
                       bool musicAfterMovie) {
    project.Write("Frames/" + name + ".fme",
                  std::string("0\r\n\"0\"\r\n#FALSE#\r\n") + (stopMusic ? "#TRUE#" : "#FALSE#") +
                      "\r\n\"Song.mid\"\r\n#FALSE#\r\n\"0\"\r\n\"\"\r\n\"" + movie + "\"\r\n" +
                      (musicAfterMovie ? "#TRUE#" : "#FALSE#") + "\r\n");
  }
  int Opens() const {
    int count = 0;
    for (const std::string& command : desktop.media.commands)
      count += command.rfind("Open ", 0) == 0;
    return count;
  }
  void SetUp() override {
    project.Write("Frames/Song.mid", "MThd");
    project.Write("Frames/Intro.avi", "RIFF");
  }
};

TEST_F(FrameMediaTest, MusicStillPlayingIsKeptUnlessTheFrameStopsIt) {
  WriteMediaFrame("One", false, "", false);
  WriteMediaFrame("Two", false, "", false);
  WriteMediaFrame("Three", true, "", false);
  Game& game = GetGame();
  OpenFrame(game, "One");
  EXPECT_EQ(game.MusicMedia().Status(), "playing");
  OpenFrame(game, "Two");
  EXPECT_EQ(Opens(), 1);
  OpenFrame(game, "Three");
  EXPECT_EQ(Opens(), 2);
  EXPECT_EQ(game.MusicMedia().Status(), "playing");
}

TEST_F(FrameMediaTest, MusicAfterTheMovieStartsOnceAPressEndsTheMovie) {
  WriteMediaFrame("Film", false, "Intro.avi", true);
  Game& game = GetGame();
  int waits = 0;
  desktop.events.onEvents = [&] {
    if (!PlayingMovieOrNot(game)) return;
    EXPECT_EQ(Opens(), 1);  // the video's, not yet the music's
    if (++waits == 3) Form_MouseDown(game, {ui::kLeftButton, 0, 0, 0});
  };
  OpenFrame(game, "Film");
  EXPECT_EQ(waits, 3);
  EXPECT_EQ(game.SkipVideoRequest, 0);
  EXPECT_FALSE(PlayingMovieOrNot(game));
  EXPECT_EQ(game.MusicMedia().Status(), "playing");
  EXPECT_EQ(Opens(), 2);
}

TEST_F(FrameMediaTest, AVideoThatEndsByItselfEndsTheWait) {
  WriteMediaFrame("Film", false, "Intro.avi", false);
  Game& game = GetGame();
  desktop.events.onEvents = [&] {
    if (PlayingMovieOrNot(game)) desktop.media.Finish(game.MovieMedia().Alias());
  };
  OpenFrame(game, "Film");
  EXPECT_FALSE(PlayingMovieOrNot(game));
  EXPECT_EQ(Sent().back(), "Status " + game.MovieMedia().Alias() + " mode");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(FrameMediaTest, AMissingVideoIsToldAndItsWaitLastsUntilAPress) {
  WriteMediaFrame("Film", false, "Gone.avi", false);
  Game& game = GetGame();
  int waits = 0;
  // The device never opened: its status is empty, neither playing nor
  // stopped, so only a press ends the wait.
  desktop.events.onEvents = [&] {
    if (++waits == 5) Form_MouseDown(game, {ui::kLeftButton, 0, 0, 0});
  };
  OpenFrame(game, "Film");
  EXPECT_GE(waits, 5);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text.rfind("Unable to play video. Probably file not found", 0), 0u);
  EXPECT_EQ(game.SkipVideoRequest, 0);
}

}  // namespace
}  // namespace tf
