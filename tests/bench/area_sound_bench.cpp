// Measures how soon an area's sound follows the click: the area's action plays
// a WAV on channel 0 and SDL's disk driver writes the mix to a file as a
// sound card would play it. The delay runs from the click to the moment the
// mix that carries the sound's first sample is made, plus that sample's place
// in it: the click's own work and the wait for the next mix. (The file itself
// is written through a buffer, so its size can't time the click.) A sound
// card plays a mix about one buffer later. Prints the median and the largest
// of 20 clicks in milliseconds, after checking that each sound reached the
// file.

#include <SDL_mixer.h>

#include <QApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "areas/area_click.h"
#include "bench/bench_support.h"
#include "frames/new_game.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/sdl_mp3.h"
#include "platform/audio/sdl_wave_mix.h"

namespace {
using tf::bench::General;
using tf::bench::Median;
using tf::bench::Write;
constexpr int kRuns = 20;
constexpr int kRate = tf::AudioOutput::kSampleRate;

// A 50 ms square wave at full strength from its first sample, 16-bit mono.
std::string ClickWav() {
  const int rate = 22050, frames = rate / 20;
  std::string data;
  for (int i = 0; i < frames; ++i) {
    int16_t sample = (i / 25) % 2 ? 20000 : -20000;
    data.append(reinterpret_cast<const char*>(&sample), 2);
  }
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  return "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(1) + u32(rate) +
         u32(rate * 2) + u16(2) + u16(16) + "data" + u32(data.size()) + data;
}

using Clock = std::chrono::steady_clock;

// Set by the mixing thread: when the first mix with sound was made (in
// nanoseconds of the steady clock) plus its first loud sample's place.
std::atomic<int64_t> heardAt{0};

void WatchMix(int, void* stream, int length, void*) {
  if (heardAt != 0) return;
  const auto* samples = static_cast<const int16_t*>(stream);
  for (int i = 0; i < length / 2; ++i) {
    if (samples[i] == 0) continue;
    const int64_t place = int64_t{i / 2} * 1000000000 / kRate;
    heardAt = Clock::now().time_since_epoch().count() + place;
    return;
  }
}

bool OutputHasSound(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  int16_t sample = 0;
  while (in.read(reinterpret_cast<char*>(&sample), 2))
    if (sample != 0) return true;
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  auto folder = std::filesystem::temp_directory_path() / "taleforge-bench-sound";
  std::filesystem::remove_all(folder);
  const auto output = folder / "mix.raw";
  Write(folder / "Config/General", General("A"));
  Write(folder / "Config/Variables", "0\r\n");
  Write(folder / "Frames/A.fme",
        "0\r\n\"0\"\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n#FALSE#\r\n\"0\"\r\n\"\"\r\n\"\"\r\n#FALSE#"
        "\r\n");
  Write(folder / "Frames/A.lks", "1\r\n");
  Write(folder / "Areas/A/1a.dat",
        "0\r\n0\r\n1500\r\n1500\r\n0\r\n0\r\n\"\"\r\n0\r\n\"\"\r\n0\r\n");
  Write(folder / "Areas/A/1b.dat",
        "0\r\n\"\"\r\n0\r\n0\r\n0\r\n0\r\n\"\"\r\n-1\r\n\"click.wav\"\r\n0\r\n0\r\n0\r\n\"\"\r\n");
  Write(folder / "Areas/click.wav", ClickWav());
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);

  QApplication app(argc, argv);
  tf::bench::QtDesktop desktop;
  tf::AudioOutput audio;
  audio.Open();
  if (audio.Driver() != "disk") {
    std::cerr << "SDL's disk driver did not open\n";
    return 1;
  }
  Mix_RegisterEffect(MIX_CHANNEL_POST, WatchMix, nullptr, nullptr);
  tf::SdlWaveMix waveMix(audio, false);
  tf::SdlMp3 mp3(audio);
  desktop.platform.waveMix = &waveMix;
  desktop.platform.mp3 = mp3.Calls();
  tf::Player player(desktop.platform, folder.string());
  player.Start();
  tf::Game& game = player.LoadGame();
  tf::ResetAll(game);
  tf::StartNewGame(game);
  game.Window().Show();

  std::vector<double> delays;
  for (int run = 0; run < kRuns; ++run) {
    // The previous sound (50 ms) has ended.
    desktop.events.ProcessEventsFor(std::chrono::milliseconds(300));
    heardAt = 0;
    const int64_t clicked = Clock::now().time_since_epoch().count();
    tf::AreaClick(game, 1, 1);
    desktop.events.ProcessEventsFor(std::chrono::milliseconds(200));
    if (heardAt == 0) {
      std::cerr << "the click's sound was not mixed\n";
      return 1;
    }
    delays.push_back((heardAt - clicked) / 1e6);
  }
  desktop.events.ProcessEventsFor(std::chrono::milliseconds(100));
  if (!OutputHasSound(output)) {
    std::cerr << "the sounds are not in the disk output\n";
    return 1;
  }
  std::cout << "area click to its sound in the mix, median of " << kRuns << ": " << Median(delays)
            << " ms, largest " << *std::max_element(delays.begin(), delays.end()) << " ms\n";
  std::filesystem::remove_all(folder);
  return 0;
}
