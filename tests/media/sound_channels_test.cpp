#include "media/sound_channels.h"

#include <gtest/gtest.h>

#include "media/play_mp3s.h"
#include "media/wave_mix.h"
#include "platform/runtime/runtime_error.h"
#include "support/game_fixture.h"

namespace tf {
namespace {

// One channel record of a sound-channels file.
std::string Record(const std::string& stop, const std::string& play, const std::string& file,
                   const std::string& loop) {
  return "0\r\n" + stop + "\r\n" + play + "\r\n\"" + file + "\"\r\n" + loop + "\r\n";
}
const std::string kNothing = Record("#FALSE#", "#FALSE#", "", "0");

std::string Channels(const std::vector<std::string>& records) {
  std::string text;
  for (int i = 0; i < 22; ++i) text += "0\r\n";
  for (const auto& record : records) text += record;
  return text;
}

class SoundChannelsTest : public ::testing::Test, public test::GameFixture {
 protected:
  SoundChannelsTest() {
    project.Write("Areas/a.wav", "RIFF");
    project.Write("Areas/b.wav", "RIFF");
  }
  // Applies the records as a frame's channels file; returns the trace lines
  // it made.
  std::vector<std::string> Play(const std::vector<std::string>& records) {
    project.Write("Frames/F.chn", Channels(records));
    desktop.trace.Clear();
    PlaySoundChannels(GetGame(), GetPlayer().paths.FramesPath + "F.chn");
    return desktop.trace.Lines();
  }
  std::string Path(const std::string& name) { return GetPlayer().paths.AreasPath + name; }
  MemoryWaveMix& Mixer() { return desktop.waveMix; }
};

TEST_F(SoundChannelsTest, EachRecordStopsFirstThenLoadsAndPlaysItsChannel) {
  Play({Record("#FALSE#", "#TRUE#", "a.wav", "-1"), kNothing, kNothing, kNothing, kNothing,
        kNothing, kNothing, kNothing});
  // Both flags: the loop stops, then the new file plays once. An empty name
  // plays nothing but its stop flag still counts.
  std::vector<std::string> lines =
      Play({Record("#TRUE#", "#TRUE#", "b.wav", "0"), Record("-1", "-1", "", "1"), kNothing,
            kNothing, kNothing, kNothing, kNothing, Record("#FALSE#", "-1", "a.wav", "7")});
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "wavemix WaveMixFlushChannel 0",
                       "wavemix WaveMixFlushChannel 0",
                       "wavemix WaveMixFreeWave 2",
                       "wavemix WaveMixOpenWave \"" + Path("b.wav") + "\" -> 3",
                       "wavemix WaveMixOpenChannel 0",
                       "wavemix WaveMixPlay 0 3 0",
                       "wavemix WaveMixFlushChannel 1",
                       "wavemix WaveMixOpenWave \"" + Path("a.wav") + "\" -> 4",
                       "wavemix WaveMixOpenChannel 7",
                       "wavemix WaveMixPlay 7 4 65535",
                   }));
  EXPECT_EQ(Mixer().ChannelFile(0), Path("b.wav"));
  EXPECT_FALSE(Mixer().ChannelLoops(0));
  EXPECT_FALSE(Mixer().ChannelSounding(1));
  EXPECT_TRUE(Mixer().ChannelLoops(7));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SoundChannelsTest, AFileWithoutFlagsMakesNoMixerAndLeavesTheMp3) {
  Game& game = GetGame();
  RequestMP3(game, "x.mp3");
  std::vector<std::string> lines = Play(std::vector<std::string>(8, kNothing));
  EXPECT_TRUE(lines.empty());
  EXPECT_FALSE(game.SoundMixerActive);
  EXPECT_TRUE(MP3IsPlaying(game));
}

TEST_F(SoundChannelsTest, TheChannelsStopTheMp3AndAnMp3ReleasesThem) {
  Game& game = GetGame();
  RequestMP3(game, "x.mp3");
  std::vector<std::string> lines =
      Play({Record("#FALSE#", "#TRUE#", "a.wav", "-1"), kNothing, kNothing, kNothing, kNothing,
            kNothing, kNothing, kNothing});
  EXPECT_EQ(lines.front(), "mp3 mp3stop");
  EXPECT_FALSE(MP3IsPlaying(game));
  EXPECT_TRUE(Mixer().ChannelSounding(0));

  desktop.trace.Clear();
  RequestMP3(game, "y.mp3");
  EXPECT_FALSE(Mixer().ChannelSounding(0));
  EXPECT_FALSE(game.SoundMixerActive);
  EXPECT_EQ(desktop.trace.Lines(),
            (std::vector<std::string>{"wavemix WaveMixFlushChannel 0", "wavemix WaveMixFreeWave 2",
                                      "wavemix WaveMixCloseSession", "mp3 mp3stop"}));
}

TEST_F(SoundChannelsTest, AFileCutAfterFourRecordsPlaysThemAndReports) {
  Play({kNothing, kNothing, Record("#FALSE#", "#TRUE#", "a.wav", "-1"),
        Record("#FALSE#", "#TRUE#", "b.wav", "0")});
  EXPECT_TRUE(Mixer().ChannelSounding(2));
  EXPECT_TRUE(Mixer().ChannelSounding(3));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Unable to load sound channels information.");
  EXPECT_EQ(Messages()[0].title, "Error");
  EXPECT_EQ(Messages()[0].icon, ui::MessageIcon::Critical);
}

// A flag or a loop value is compared with a number: a word there is a bad
// value. The channels before it play, the rest of the file is ignored. A
// loop value is looked at only for a channel that plays.
TEST_F(SoundChannelsTest, AWordForAFlagOrALoopIsABadValue) {
  const std::string first = Record("#FALSE#", "#TRUE#", "a.wav", "0");
  const std::string last = Record("#FALSE#", "#TRUE#", "b.wav", "0");
  for (const std::string& bad :
       {Record("yes", "#FALSE#", "", "0"), Record("#FALSE#", "on", "b.wav", "0"),
        Record("#FALSE#", "#TRUE#", "b.wav", "always")}) {
    SCOPED_TRACE(bad);
    ReleaseWaveMix(GetGame());
    desktop.messages.calls.clear();
    Play({first, bad, kNothing, kNothing, kNothing, kNothing, kNothing, last});
    EXPECT_TRUE(Mixer().ChannelSounding(0));
    EXPECT_FALSE(Mixer().ChannelSounding(1));
    EXPECT_FALSE(Mixer().ChannelSounding(7));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "Unable to load sound channels information.");
  }
  desktop.messages.calls.clear();
  Play({first, Record("\"True\"", "\"-1\"", "b.wav", "\"1\""), kNothing, kNothing, kNothing,
        kNothing, kNothing, Record("#FALSE#", "#FALSE#", "", "never")});
  EXPECT_TRUE(Mixer().ChannelLoops(1));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SoundChannelsTest, AMissingFileDoesNothing) {
  PlaySoundChannels(GetGame(), GetPlayer().paths.FramesPath + "None.chn");
  EXPECT_TRUE(desktop.trace.Lines().empty());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SoundChannelsTest, AMixerThatFailsWarnsOncePerCreationAndStaysQuiet) {
  Mixer().failToOpen = true;
  const std::vector<std::string> play = {Record("#TRUE#", "#TRUE#", "a.wav", "-1"),
                                         kNothing,
                                         kNothing,
                                         kNothing,
                                         kNothing,
                                         kNothing,
                                         kNothing,
                                         kNothing};
  std::vector<std::string> first = Play(play);
  EXPECT_EQ(first, (std::vector<std::string>{"mp3 mp3stop", "wavemix WaveMixConfigureInit -> 0",
                                             "wavemix WaveMixActivate -> 1",
                                             "wavemix WaveMixCloseSession"}));
  EXPECT_TRUE(Play(play).empty());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].title, "WaveMix Error");
  EXPECT_EQ(Messages()[0].icon, ui::MessageIcon::Exclamation);

  ReleaseWaveMix(GetGame());
  Play(play);
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(SoundChannelsTest, OnlyChannelsZeroToSevenTakeAFile) {
  Game& game = GetGame();
  EnsureWaveMix(game);
  game.SoundMixer->CurrentChannel = 8;
  try {
    game.SoundMixer->SetFileName(Path("a.wav"));
    FAIL() << "channel 8 took a file";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), kErrSubscriptOutOfRange);
  }
}

}  // namespace
}  // namespace tf
