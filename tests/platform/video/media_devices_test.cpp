#include "platform/video/media_devices.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/audio/audio_output.h"
#include "support/pcm_wave.h"

namespace tf {
namespace {

using Clock = std::chrono::steady_clock;
const std::string kFixtures = std::string(TF_SOURCE_DIR) + "/tests/fixtures/media/";

std::string Le32(uint32_t value) {
  return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
          static_cast<char>(value >> 24)};
}

class NoSurfaces : public VideoSurfaces {
 public:
  int32_t ControlHandle(const ui::Control&) override { return 0; }
  std::unique_ptr<VideoSurface> Open(int32_t, int, int) override { return nullptr; }
};

// Media on SDL's "disk" driver, which writes what would be heard to a file.
class MediaDevicesTest : public ::testing::Test {
 protected:
  MediaDevicesTest() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", heard_.c_str(), 1);
  }
  ~MediaDevicesTest() override { std::filesystem::remove(heard_); }

  // Plays until the device's mode is no longer "playing"; the seconds it took.
  double PlayToEnd(const std::string& alias) {
    auto start = Clock::now();
    EXPECT_EQ(media->Send("Play " + alias).result, 0);
    EXPECT_EQ(Mode(alias), "playing");
    while (Mode(alias) == "playing" && Clock::now() - start < std::chrono::seconds(10))
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return std::chrono::duration<double>(Clock::now() - start).count();
  }
  std::string Mode(const std::string& alias) {
    return media->Send("Status " + alias + " mode").answer;
  }
  // What the output wrote from byte `from` on, so far.
  std::vector<int16_t> HeardSince(size_t from) const {
    std::ifstream in(heard_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
  }
  size_t HeardBytes() const { return std::filesystem::file_size(heard_); }
  // What the output wrote, once it is closed.
  std::vector<int16_t> Heard() {
    media.reset();
    output.reset();
    return HeardSince(0);
  }
  static int Loudest(const std::vector<int16_t>& samples) {
    int loudest = 0;
    for (int16_t s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
    return loudest;
  }

  std::string heard_ =
      (std::filesystem::temp_directory_path() / ("tf_heard_" + std::to_string(::getpid()) + ".raw"))
          .string();
  NoSurfaces surfaces;
  std::unique_ptr<AudioOutput> output = std::make_unique<AudioOutput>();
  std::unique_ptr<MediaDevices> media = std::make_unique<MediaDevices>(*output, surfaces);
};

TEST_F(MediaDevicesTest, MidiSoundsAndEndsWhenItsLastNoteHasSounded) {
  ASSERT_EQ(
      media->Send("Open \"" + kFixtures + "short.mid\" ALIAS Mid7 TYPE Sequencer wait").result, 0);
  ASSERT_EQ(output->Driver(), "disk");
  // Aliases are found in any letter case; the note lasts half a second.
  double seconds = PlayToEnd("mid7");
  EXPECT_GT(seconds, 0.4);
  EXPECT_LT(seconds, 1.5);
  EXPECT_EQ(Mode("MID7"), "stopped");
  EXPECT_GT(Loudest(Heard()), 1000);
}

TEST_F(MediaDevicesTest, AVideosSoundIsHeardAndEndsTheVideo) {
  for (const char* file : {"green.avi", "green_adpcm.avi"}) {
    SCOPED_TRACE(file);
    ASSERT_EQ(media->Send("Open \"" + kFixtures + file + "\" ALIAS 7 TYPE AviVideo wait").result,
              0);
    EXPECT_EQ(media->Send("Status 7 length").answer, "10");
    const size_t before = HeardBytes();
    double seconds = PlayToEnd("7");
    EXPECT_GT(seconds, 0.8);
    EXPECT_LT(seconds, 2.0);
    EXPECT_EQ(media->Send("Status 7 position").answer, "10");
    EXPECT_GT(Loudest(HeardSince(before)), 1000);
    EXPECT_EQ(media->Send("Close 7").result, 0);
  }
}

TEST_F(MediaDevicesTest, AVideoWhoseSoundEndsFirstShowsItsPicturesToTheEnd) {
  ASSERT_EQ(
      media->Send("Open \"" + kFixtures + "short_sound.avi\" ALIAS 9 TYPE AviVideo wait").result,
      0);
  double seconds = PlayToEnd("9");
  EXPECT_GT(seconds, 1.8);
  EXPECT_LT(seconds, 3.0);
  EXPECT_EQ(media->Send("Status 9 position").answer, "100");
}

// The fuzzer's find: a sound rate of half a billion had the resampler work
// for minutes before the video opened.
TEST_F(MediaDevicesTest, AVideoClaimingAnImpossibleSoundRatePlaysItsPicturesSilently) {
  ASSERT_TRUE(output->Open());
  std::ifstream in(kFixtures + "green.avi", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const size_t format = bytes.find("strf", bytes.find("auds"));
  ASSERT_NE(format, std::string::npos);
  bytes.replace(format + 12, 4, std::string("\x40\x00\x40\x1F", 4));  // 524288064 a second
  const std::string damaged = heard_ + ".avi";
  std::ofstream(damaged, std::ios::binary) << bytes;
  const auto start = Clock::now();
  const int32_t opened = media->Send("Open \"" + damaged + "\" ALIAS 5 TYPE AviVideo").result;
  std::filesystem::remove(damaged);
  ASSERT_EQ(opened, 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
  const size_t before = HeardBytes();
  EXPECT_LT(PlayToEnd("5"), 2.0);
  EXPECT_EQ(media->Send("Status 5 position").answer, "10");
  EXPECT_EQ(Loudest(HeardSince(before)), 0);
}

// A damaged video of half a gigabyte: its pictures, then nothing but zeros,
// where the reader looks for the next packet byte by byte.
TEST_F(MediaDevicesTest, ClosingAVideoStopsReadingItsDamagedRestAtOnce) {
  std::ifstream in(kFixtures + "green.avi", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const size_t index = bytes.find("idx1");
  const size_t movi = bytes.find("movi");
  ASSERT_NE(index, std::string::npos);
  ASSERT_NE(movi, std::string::npos);
  const uint32_t size = 512 << 20;
  bytes.resize(index);
  bytes.replace(4, 4, Le32(size - 8));
  bytes.replace(movi - 4, 4, Le32(size - static_cast<uint32_t>(movi)));
  const std::string damaged = heard_ + ".avi";
  std::ofstream(damaged, std::ios::binary) << bytes;
  std::filesystem::resize_file(damaged, size);  // sparse: no disk space taken
  ASSERT_EQ(media->Send("Open \"" + damaged + "\" ALIAS 6 TYPE AviVideo").result, 0);
  ASSERT_EQ(media->Send("Play 6").result, 0);
  // Its second of pictures shown, the reader is in the zeros.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_EQ(Mode("6"), "playing");
  const auto start = Clock::now();
  EXPECT_EQ(media->Send("Close 6").result, 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
  std::filesystem::remove(damaged);
}

// The fuzzer's finds: a sound without samples, or with less than one frame
// once converted, copied from a null buffer.
TEST_F(MediaDevicesTest, AWaveWithoutAWholeFrameOpensAndEndsAtOnce) {
  const std::string noSamples(
      "\x52\x49\x46\x46\x24\x00\x00\x00\x57\x41\x56\x45\x66\x6d\x74\x20"
      "\x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x40\x1f\x00\x00"
      "\x01\x00\x08\x00\x64\x61\x74\x61\x00\x00\x00\x00",
      44);
  // Six channels whose RIFF and data chunks claim more than the file holds.
  const std::string sixChannels(
      "\x52\x49\x46\x46\x00\x01\x00\x00\x57\x41\x56\x45\x66\x6d\x74\x20"
      "\x10\x00\x00\x00\x01\x00\x06\x00\x11\x2b\x00\x00\x44\xac\x00\x00"
      "\x04\x00\x10\x00\x64\x61\x74\x61\x52\x41\x44\x4c\x5f\x41\x55\x54"
      "\xdc\x00\xff\x4f\x5f",
      53);
  const std::string file = heard_ + ".wav";
  for (const std::string& bytes : {noSamples, sixChannels}) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    ASSERT_EQ(media->Send("Open \"" + file + "\" ALIAS 4 TYPE WaveAudio").result, 0);
    EXPECT_EQ(media->Send("Status 4 length").answer, "0");
    EXPECT_EQ(media->Send("Play 4").result, 0);
    EXPECT_EQ(Mode("4"), "stopped");
    media->Send("Close 4");
  }
  std::filesystem::remove(file);
}

// A wave is converted as it is heard, from where it was sought. One whose
// header claims one sample a second was converted whole at its opening:
// gigabytes for a few kilobytes.
TEST_F(MediaDevicesTest, AWavePlaysFromWhereItWasSoughtAndOneAtAnImpossibleRateFails) {
  const std::string file = heard_ + ".wav";
  std::ofstream(file, std::ios::binary) << PcmWave(8000, 8000);
  ASSERT_EQ(media->Send("Open \"" + file + "\" ALIAS 4 TYPE WaveAudio").result, 0);
  EXPECT_EQ(media->Send("Status 4 length").answer, "1000");
  EXPECT_EQ(media->Send("Seek 4 to 600").result, 0);
  EXPECT_EQ(media->Send("Status 4 position").answer, "600");
  const size_t before = HeardBytes();
  const double seconds = PlayToEnd("4");
  EXPECT_GT(seconds, 0.25);
  EXPECT_LT(seconds, 0.75);
  EXPECT_EQ(media->Send("Status 4 position").answer, "1000");
  EXPECT_GT(Loudest(HeardSince(before)), 4000);
  media->Send("Close 4");

  std::ofstream(file, std::ios::binary | std::ios::trunc) << PcmWave(1, 256);
  EXPECT_EQ(media->Send("Open \"" + file + "\" ALIAS 4 TYPE WaveAudio").result,
            MediaDevices::kInvalidFile);
  std::filesystem::remove(file);
}

// Windows saves MIDI music in a RIFF wrapper: "RIFF", its length, "RMID",
// then chunks, the standard MIDI file in the one named "data".
TEST_F(MediaDevicesTest, MidiInARiffWrapperPlaysTheFileItHolds) {
  std::ifstream in(kFixtures + "short.mid", std::ios::binary);
  const std::string midi((std::istreambuf_iterator<char>(in)), {});
  const std::string file = heard_ + ".mid";
  auto open = [&](const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    media->Send("Close r");
    return media->Send("Open \"" + file + "\" ALIAS r TYPE Sequencer wait").result;
  };
  // An odd-length chunk and its pad byte before the data; the RIFF and data
  // lengths claim more than the file holds.
  ASSERT_EQ(open("RIFF" + Le32(0xFFFFFFF0) + "RMID" + "DISP" + Le32(3) + std::string("ab\0\0", 4) +
                 "data" + Le32(0x7FFFFFFF) + midi),
            0);
  const double seconds = PlayToEnd("r");
  EXPECT_GT(seconds, 0.4);
  EXPECT_LT(seconds, 1.5);
  // A chunk claiming all of the four gigabytes a length can, and a wrapper
  // without a data chunk, hold no music.
  EXPECT_EQ(open("RIFF" + Le32(4 + 8 + midi.size()) + "RMID" + "LIST" + Le32(0xFFFFFFFF) + "data" +
                 Le32(midi.size()) + midi),
            MediaDevices::kInvalidFile);
  EXPECT_EQ(open("RIFF" + Le32(4) + "RMID"), MediaDevices::kInvalidFile);
  std::filesystem::remove(file);
  EXPECT_GT(Loudest(Heard()), 1000);
}

// 250,000 notes at once keep the synthesizer on one block for seconds, and
// have it warn of every note it finds no voice for: the commands go on at
// once meanwhile, and the warnings are few.
TEST_F(MediaDevicesTest, MidiOfAQuarterMillionNotesAtOnceHoldsUpNoCommand) {
  std::string track;
  for (int i = 0; i < 250000; ++i)
    track += {'\0', static_cast<char>(0x90 | i % 15), static_cast<char>(36 + i % 60), 100};
  track += std::string("\x9e\x00\xff\x2f\x00", 5);  // the end 20 s later
  const std::string file = heard_ + ".mid";
  std::string length = Le32(static_cast<uint32_t>(track.size()));
  std::reverse(length.begin(), length.end());
  std::ofstream(file, std::ios::binary)
      << std::string("MThd\0\0\0\6\0\0\0\1\0\x60MTrk", 18) << length << track;
  testing::internal::CaptureStderr();
  ASSERT_EQ(media->Send("Open \"" + file + "\" ALIAS big TYPE Sequencer wait").result, 0);
  ASSERT_EQ(media->Send("Play big").result, 0);
  Clock::duration longest{};
  for (auto start = Clock::now(); Clock::now() - start < std::chrono::seconds(2);) {
    const auto asked = Clock::now();
    EXPECT_EQ(Mode("big"), "playing");
    media->Send("Status big position");
    longest = std::max(longest, Clock::now() - asked);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(media->Send("Close big").result, 0);
  const std::string warnings = testing::internal::GetCapturedStderr();
  std::filesystem::remove(file);
  EXPECT_LT(longest, std::chrono::milliseconds(500));
  EXPECT_LE(std::count(warnings.begin(), warnings.end(), '\n'), 20);
}

TEST_F(MediaDevicesTest, MidiMixesWithALoopingMixerSound) {
  ASSERT_TRUE(output->Open());
  // A steady level, looped forever on a mixer channel.
  std::vector<int16_t> level(4410, 3000);
  Mix_Chunk* loop = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(level.data()),
                                      static_cast<Uint32>(level.size() * 2));
  ASSERT_NE(Mix_PlayChannel(-1, loop, -1), -1);
  ASSERT_EQ(media->Send("Open \"" + kFixtures + "short.mid\" ALIAS m TYPE Sequencer wait").result,
            0);
  PlayToEnd("m");
  std::vector<int16_t> heard = Heard();
  Mix_FreeChunk(loop);
  // The loop stands as a steady offset under the music's swings.
  double sum = 0;
  for (int16_t s : heard) sum += s;
  EXPECT_NEAR(sum / static_cast<double>(heard.size()), 3000, 500);
  size_t music = std::count_if(heard.begin(), heard.end(),
                               [](int16_t s) { return std::abs(s - 3000) > 1000; });
  EXPECT_GT(music, 1000u);
}

TEST_F(MediaDevicesTest, UnknownAliasesAndBadFilesFail) {
  EXPECT_EQ(media->Send("Status 12 mode").result, MediaDevices::kUnknownDevice);
  EXPECT_EQ(media->Send("Status 12 mode").answer, "");
  EXPECT_EQ(media->Send("Open \"/nowhere/a.avi\" ALIAS 3 TYPE AviVideo wait").result,
            MediaDevices::kFileNotFound);
  EXPECT_EQ(media->Send("Open \"" + kFixtures + "short.mid\" ALIAS 3 TYPE AviVideo wait").result,
            MediaDevices::kInvalidFile);
  EXPECT_EQ(media->Send("Open \"" + kFixtures + "green.avi\" ALIAS 3 TYPE Sequencer wait").result,
            MediaDevices::kInvalidFile);
  ASSERT_EQ(media->Send("Open \"" + kFixtures + "long.mid\" ALIAS 3 TYPE Sequencer wait").result,
            0);
  EXPECT_EQ(media->Send("Open \"" + kFixtures + "long.mid\" ALIAS 3 TYPE Sequencer wait").result,
            MediaDevices::kDuplicateAlias);
  EXPECT_EQ(media->Send("Close 3").result, 0);
  EXPECT_EQ(media->Send("Play 3").result, MediaDevices::kUnknownDevice);
}

}  // namespace
}  // namespace tf
