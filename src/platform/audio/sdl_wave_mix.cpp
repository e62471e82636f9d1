#include "platform/audio/sdl_wave_mix.h"

#include <SDL_mixer.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/audio/wave_samples.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"

namespace tf {

namespace {
constexpr uint32_t kFailed = 1;
}

// A wave's samples as the channels play them.
struct SdlWaveMix::Sound {
  Sound(std::unique_ptr<std::vector<int16_t>> samples, Mix_Chunk* chunk)
      : samples(std::move(samples)), chunk(chunk) {}
  // SDL_mixer halts every channel that still plays it first.
  ~Sound() { Mix_FreeChunk(chunk); }
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  const std::unique_ptr<std::vector<int16_t>> samples;
  Mix_Chunk* const chunk;  // over `samples`
};

SdlWaveMix::SdlWaveMix(AudioOutput& output, bool failToOpen)
    : output_(output), failToOpen_(failToOpen) {}

SdlWaveMix::~SdlWaveMix() {
  auto held = output_.Hold();
  FreeAll();
}

// With the output held.
void SdlWaveMix::FreeAll() {
  for (int channel = 0; channel < kChannels && output_.IsOpen(); ++channel)
    Mix_HaltChannel(channel);
  waves_.clear();
  played_ = {};
}

uint32_t SdlWaveMix::WaveMixConfigureInit(const MixConfig&) {
  auto held = output_.Hold();
  if (failToOpen_ || !output_.OpenHeld()) return 0;
  FreeAll();
  session_ = nextHandle_++;
  return session_;
}

uint32_t SdlWaveMix::WaveMixActivate(uint32_t session, int32_t) {
  return IsOpen(session) ? 0 : kFailed;
}

std::optional<SdlWaveMix::FileKey> SdlWaveMix::KeyOf(const std::string& path) {
  std::string resolved = ResolvePath(path);
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(resolved, error);
  if (error) return std::nullopt;
  const auto modified = std::filesystem::last_write_time(resolved, error);
  if (error) return std::nullopt;
  return FileKey{std::move(resolved), size, modified.time_since_epoch().count()};
}

// The sound another wave of the same file holds, or the file's, converted.
std::shared_ptr<SdlWaveMix::Sound> SdlWaveMix::LoadSound(const std::string& path) {
  const std::optional<FileKey> key = KeyOf(path);
  if (key) {
    if (refused_.contains(*key)) return nullptr;
    auto found = sounds_.find(*key);
    if (found != sounds_.end())
      if (std::shared_ptr<Sound> sound = found->second.lock()) return sound;
  }
  std::unique_ptr<std::vector<int16_t>> samples;
  try {
    samples = DecodeWave(ReadStoredFile(path), kLargestWaveBytes);
  } catch (const RuntimeError&) {
    return nullptr;
  }
  if (!samples) {
    if (key) refused_.insert(*key);
    return nullptr;
  }
  auto held = output_.Hold();
  if (!output_.OpenHeld()) return nullptr;
  Mix_Chunk* chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples->data()),
                                       static_cast<Uint32>(samples->size() * sizeof(int16_t)));
  if (!chunk) return nullptr;
  auto sound = std::make_shared<Sound>(std::move(samples), chunk);
  std::erase_if(sounds_, [](const auto& entry) { return entry.second.expired(); });
  if (key) sounds_[*key] = sound;
  return sound;
}

uint32_t SdlWaveMix::WaveMixOpenWave(uint32_t session, const std::string& path, uint32_t,
                                     uint32_t) {
  if (!IsOpen(session)) return 0;
  std::shared_ptr<Sound> sound = LoadSound(path);
  if (!sound) return 0;
  const uint32_t wave = nextHandle_++;
  waves_[wave] = std::move(sound);
  return wave;
}

uint32_t SdlWaveMix::WaveMixOpenChannel(uint32_t session, int32_t channel, uint32_t) {
  return IsOpen(session) && IsChannel(channel) ? 0 : kFailed;
}

uint32_t SdlWaveMix::WaveMixPlay(const MixPlayParams& params) {
  auto wave = waves_.find(params.lpMixWave);
  if (!IsOpen(params.hMixSession) || !IsChannel(params.iChannel) || wave == waves_.end())
    return kFailed;
  // Repeats on SDL_mixer's side: -1 forever, n for n more times.
  const int loops = params.wLoops == kLoopUntilFlushed ? -1 : params.wLoops;
  auto held = output_.Hold();
  if (!output_.OpenHeld() ||
      Mix_PlayChannel(params.iChannel, wave->second->chunk, loops) != params.iChannel)
    return kFailed;
  played_[params.iChannel] = params.lpMixWave;
  return 0;
}

uint32_t SdlWaveMix::WaveMixFlushChannel(uint32_t session, int16_t channel, uint32_t) {
  if (!IsOpen(session) || !IsChannel(channel)) return kFailed;
  auto held = output_.Hold();
  if (output_.IsOpen()) Mix_HaltChannel(channel);
  return 0;
}

uint32_t SdlWaveMix::WaveMixFreeWave(uint32_t session, uint32_t wave) {
  auto found = waves_.find(wave);
  if (!IsOpen(session) || found == waves_.end()) return kFailed;
  auto held = output_.Hold();
  // Its channels fall silent; others may play the same sound on.
  for (int channel = 0; channel < kChannels; ++channel) {
    if (played_[channel] != wave) continue;
    if (output_.IsOpen()) Mix_HaltChannel(channel);
    played_[channel] = 0;
  }
  waves_.erase(found);
  return 0;
}

uint32_t SdlWaveMix::WaveMixCloseSession(uint32_t session) {
  if (!IsOpen(session)) return kFailed;
  auto held = output_.Hold();
  FreeAll();
  session_ = 0;
  return 0;
}

bool SdlWaveMix::ChannelSounding(int channel) const {
  if (!IsChannel(channel)) return false;
  auto held = output_.Hold();
  return output_.IsOpen() && Mix_Playing(channel) != 0;
}

}  // namespace tf
