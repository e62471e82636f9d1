// The channel mixer and the MP3 calls on SDL's "disk" driver, which writes
// what would be heard to a file in real time.

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <thread>
#include <vector>

#include "platform/audio/audio_output.h"
#include "platform/audio/sdl_mp3.h"
#include "platform/audio/sdl_wave_mix.h"
#include "support/pcm_wave.h"

namespace tf {
namespace {

using namespace std::chrono_literals;

const std::string kHum = std::string(SOUND_FIXTURES) + "/Areas/hum.wav";
const std::string kBeep = std::string(SOUND_FIXTURES) + "/Areas/beep.wav";
const std::string kTune = std::string(SOUND_FIXTURES) + "/Frames/tune.mp3";
const std::function<bool()> kWanted = [] { return true; };
// Two mixing buffers: what was mixed before a call may still be on its way.
constexpr size_t kInFlightBytes = 2 * 1024 * 4;

class DiskAudioTest : public ::testing::Test {
 protected:
  DiskAudioTest() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
  }
  ~DiskAudioTest() override { std::filesystem::remove(output_); }

  void Open() {
    ASSERT_TRUE(audio.Open());
    ASSERT_EQ(audio.Driver(), "disk");
  }
  size_t Written() const { return std::filesystem::file_size(output_); }
  // Whether any sample between the two byte offsets is not silence.
  bool Sounds(size_t from, size_t to) const {
    std::ifstream in(output_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    std::vector<int16_t> samples((to - from) / sizeof(int16_t));
    in.read(reinterpret_cast<char*>(samples.data()),
            static_cast<std::streamsize>(samples.size() * sizeof(int16_t)));
    for (int16_t sample : samples)
      if (sample != 0) return true;
    return false;
  }

  const std::filesystem::path output_ = std::filesystem::temp_directory_path() /
                                        ("tf-disk-audio-" + std::to_string(::getpid()) + ".raw");
  AudioOutput audio;
};

TEST_F(DiskAudioTest, ALoopingChannelSoundsUntilFlushedAndASingleSoundEnds) {
  Open();
  SdlWaveMix mix(audio, false);
  const uint32_t session = mix.WaveMixConfigureInit({});
  ASSERT_EQ(mix.WaveMixActivate(session, -1), 0u);
  EXPECT_EQ(mix.WaveMixOpenWave(session, kHum + ".missing", 0, 0), 0u);
  MixPlayParams play;
  play.hMixSession = session;
  play.iChannel = 3;
  play.lpMixWave = mix.WaveMixOpenWave(session, kHum, 0, 0);
  play.wLoops = kLoopUntilFlushed;
  ASSERT_NE(play.lpMixWave, 0u);

  mix.WaveMixPlay(play);
  // The sound lasts a quarter of a second: still heard later, it loops.
  std::this_thread::sleep_for(600ms);
  const size_t flushed = Written();
  EXPECT_TRUE(Sounds(flushed - 8192, flushed));
  EXPECT_TRUE(mix.ChannelSounding(3));
  mix.WaveMixFlushChannel(session, 3, 0);
  EXPECT_FALSE(mix.ChannelSounding(3));
  std::this_thread::sleep_for(300ms);
  EXPECT_FALSE(Sounds(flushed + kInFlightBytes, Written()));

  play.wLoops = 0;
  mix.WaveMixPlay(play);
  EXPECT_TRUE(mix.ChannelSounding(3));
  std::this_thread::sleep_for(600ms);
  EXPECT_FALSE(mix.ChannelSounding(3));
}

// Quiet for a while, the device closes, and the next sound opens it again;
// a sound looping all that while keeps it open.
TEST_F(DiskAudioTest, TheDeviceClosesWhenQuietAndOpensForTheNextSound) {
  AudioOutput quick(200ms);
  SdlWaveMix mix(quick, false);
  const uint32_t session = mix.WaveMixConfigureInit({});
  ASSERT_NE(session, 0u);
  MixPlayParams play;
  play.hMixSession = session;
  play.iChannel = 1;
  play.lpMixWave = mix.WaveMixOpenWave(session, kHum, 0, 0);
  play.wLoops = kLoopUntilFlushed;
  ASSERT_NE(play.lpMixWave, 0u);
  auto closesWithin = [&](std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (quick.IsOpen() && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(20ms);
    return !quick.IsOpen();
  };

  ASSERT_EQ(mix.WaveMixPlay(play), 0u);
  EXPECT_FALSE(closesWithin(700ms));
  EXPECT_TRUE(mix.ChannelSounding(1));
  mix.WaveMixFlushChannel(session, 1, 0);
  EXPECT_TRUE(closesWithin(2s));
  EXPECT_FALSE(quick.HoldsSoundSystem());
  EXPECT_FALSE(mix.ChannelSounding(1));

  play.wLoops = 0;
  ASSERT_EQ(mix.WaveMixPlay(play), 0u);
  EXPECT_TRUE(quick.IsOpen());
  EXPECT_TRUE(mix.ChannelSounding(1));
  EXPECT_TRUE(closesWithin(2s));
}

TEST_F(DiskAudioTest, ASoundSystemPreparedButNeverUsedIsLetGo) {
  AudioOutput quick(300ms);
  auto within = [](std::chrono::milliseconds limit, auto done) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(5ms);
    return done();
  };
  quick.PrepareInBackground();
  EXPECT_TRUE(within(2s, [&] { return quick.HoldsSoundSystem(); }));
  EXPECT_TRUE(within(2s, [&] { return !quick.HoldsSoundSystem(); }));
  EXPECT_TRUE(quick.Open());
  EXPECT_TRUE(quick.HoldsSoundSystem());
}

// The fuzzer's finds: a data chunk claiming 4 GB had SDL allocate all of it,
// bytes of no known sound kind left SDL's reader open, and an empty file
// gave no reader at all.
TEST_F(DiskAudioTest, DamagedWavesPlayWhatTheyHoldOrFailToOpen) {
  Open();
  std::ifstream in(kHum, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const size_t data = bytes.find("data");
  ASSERT_NE(data, std::string::npos);
  bytes.replace(data + 4, 4, "\xDC\x00\xFF\xFF");
  const std::string damaged = output_.string() + ".wav";
  const std::string noSound = output_.string() + ".none.wav";
  std::ofstream(damaged, std::ios::binary) << bytes;
  std::ofstream(noSound, std::ios::binary) << std::string("RoU\x02\x00\xF0\x60\x00\x00RI", 11);
  SdlWaveMix mix(audio, false);
  MixPlayParams play;
  play.hMixSession = mix.WaveMixConfigureInit({});
  play.lpMixWave = mix.WaveMixOpenWave(play.hMixSession, damaged, 0, 0);
  EXPECT_EQ(mix.WaveMixOpenWave(play.hMixSession, noSound, 0, 0), 0u);
  std::ofstream(noSound, std::ios::binary | std::ios::trunc).flush();
  EXPECT_EQ(mix.WaveMixOpenWave(play.hMixSession, noSound, 0, 0), 0u);
  std::filesystem::remove(damaged);
  std::filesystem::remove(noSound);
  ASSERT_NE(play.lpMixWave, 0u);
  EXPECT_EQ(mix.WaveMixPlay(play), 0u);
  std::this_thread::sleep_for(600ms);
  EXPECT_FALSE(mix.ChannelSounding(0));
}

// A header claiming one sample a second made hours of sound of a few bytes,
// all converted before it played; a wave longer than ten minutes once
// converted is refused too, before any of it is converted.
TEST_F(DiskAudioTest, WavesAtImpossibleRatesOrTooLongConvertedAreRefused) {
  Open();
  SdlWaveMix mix(audio, false);
  MixPlayParams play;
  play.hMixSession = mix.WaveMixConfigureInit({});
  int files = 0;
  // The samples that channel 0 plays of the wave, none when it is refused.
  auto converted = [&](const std::string& bytes) {
    const std::string file = output_.string() + std::to_string(++files) + ".wav";
    std::ofstream(file, std::ios::binary) << bytes;
    play.lpMixWave = mix.WaveMixOpenWave(play.hMixSession, file, 0, 0);
    std::filesystem::remove(file);
    std::vector<int16_t> samples;
    if (play.lpMixWave != 0 && mix.WaveMixPlay(play) == 0) {
      const Mix_Chunk* chunk = Mix_GetChunk(0);
      const auto* first = reinterpret_cast<const int16_t*>(chunk->abuf);
      samples.assign(first, first + chunk->alen / sizeof(int16_t));
    }
    mix.WaveMixFreeWave(play.hMixSession, play.lpMixWave);
    return samples;
  };
  EXPECT_TRUE(converted(PcmWave(1, 128)).empty());
  EXPECT_TRUE(converted(PcmWave(999, 128)).empty());
  EXPECT_TRUE(converted(PcmWave(384001, 128)).empty());
  // Stereo at 44.1 kHz, sounding to its last few milliseconds.
  const std::vector<int16_t> slowest = converted(PcmWave(1000, 5000));
  ASSERT_EQ(slowest.size(), 220500u * 2);
  EXPECT_TRUE(std::any_of(slowest.end() - 2 * 88, slowest.end(),
                          [](int16_t sample) { return std::abs(sample) > 4000; }));
  EXPECT_EQ(converted(PcmWave(384000, 3840)).size(), 441u * 2);
  // 601 KB of 8-bit samples at 1000 a second: ten minutes and one second.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(converted(PcmWave(1000, 601000, 1)).empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

// Each channel playing a file held a copy of its own of it converted.
TEST_F(DiskAudioTest, ChannelsPlayingOneFileShareOneCopyOfIt) {
  Open();
  SdlWaveMix mix(audio, false);
  const uint32_t session = mix.WaveMixConfigureInit({});
  MixPlayParams play;
  play.hMixSession = session;
  play.wLoops = kLoopUntilFlushed;
  const uint32_t first = mix.WaveMixOpenWave(session, kHum, 0, 0);
  const std::pair<int, std::string> plays[] = {{2, kHum}, {6, kHum}, {7, kBeep}};
  for (const auto& [channel, file] : plays) {
    play.iChannel = channel;
    play.lpMixWave = channel == 2 ? first : mix.WaveMixOpenWave(session, file, 0, 0);
    ASSERT_EQ(mix.WaveMixPlay(play), 0u) << channel;
  }
  EXPECT_EQ(Mix_GetChunk(2), Mix_GetChunk(6));
  EXPECT_NE(Mix_GetChunk(2), Mix_GetChunk(7));
  // Freeing a wave silences its own channel alone.
  mix.WaveMixFreeWave(session, first);
  EXPECT_FALSE(mix.ChannelSounding(2));
  EXPECT_TRUE(mix.ChannelSounding(6));
  EXPECT_TRUE(mix.ChannelSounding(7));
}

TEST_F(DiskAudioTest, AnMp3OpensTheOutputGivesItsLengthAndPlaysUntilStopped) {
  // The sound system starts; the device opens only for the first sound.
  audio.PrepareInBackground();
  SdlMp3 mp3(audio);
  std::shared_ptr<Mp3Library> calls = mp3.Calls();
  std::this_thread::sleep_for(200ms);
  EXPECT_FALSE(std::filesystem::exists(output_));
  const Mp3Record tune{kTune};
  // Two seconds of tone and the encoder's padding.
  EXPECT_NEAR(calls->mp3gettime(tune), 2100, 150);
  ASSERT_EQ(audio.Driver(), "disk");

  // A request no longer wanted when it would start returns at once.
  auto superseded =
      std::async(std::launch::async, [&] { calls->mp3play(tune, [] { return false; }); });
  EXPECT_EQ(superseded.wait_for(200ms), std::future_status::ready);

  const size_t start = Written();
  auto playing = std::async(std::launch::async, [&] { calls->mp3play(tune, kWanted); });
  EXPECT_EQ(playing.wait_for(500ms), std::future_status::timeout);
  EXPECT_TRUE(Sounds(start, Written()));
  calls->mp3stop();
  EXPECT_EQ(playing.wait_for(1s), std::future_status::ready);
  const size_t stopped = Written();
  std::this_thread::sleep_for(200ms);
  EXPECT_FALSE(Sounds(stopped + kInFlightBytes, Written()));
}

TEST_F(DiskAudioTest, AThreadStillPlayingWhenTheProgramEndsReturnsWithoutTheOutput) {
  Open();
  std::future<void> playing;
  std::shared_ptr<Mp3Library> calls;
  {
    SdlMp3 mp3(audio);
    calls = mp3.Calls();
    playing =
        std::async(std::launch::async, [calls] { calls->mp3play(Mp3Record{kTune}, kWanted); });
    std::this_thread::sleep_for(200ms);
  }
  EXPECT_EQ(playing.wait_for(1s), std::future_status::ready);
  // Later calls do nothing.
  EXPECT_EQ(calls->mp3gettime(Mp3Record{kTune}), 0);
}

TEST_F(DiskAudioTest, CallsMadeOnceTheOutputIsGoneNeverReachIt) {
  // The output is destroyed and its bytes spoiled, as at the program's end
  // when the module goes before an MP3 thread: a call that still took the
  // output's lock would fail on it.
  alignas(AudioOutput) std::byte storage[sizeof(AudioOutput)];
  auto* output = new (storage) AudioOutput;
  std::shared_ptr<Mp3Library> calls;
  {
    SdlMp3 mp3(*output);
    calls = mp3.Calls();
  }
  output->~AudioOutput();
  std::memset(storage, 0xA5, sizeof storage);
  EXPECT_NO_THROW(calls->mp3stop());
  EXPECT_EQ(calls->mp3gettime(Mp3Record{kTune}), 0);
  EXPECT_NO_THROW(calls->mp3play(Mp3Record{kTune}, kWanted));
}

}  // namespace
}  // namespace tf
