#include "platform/audio/sdl_wave_mix.h"

#include <SDL_mixer.h>

#include "platform/audio/wave_chunks.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"

namespace tf {

namespace {
constexpr uint32_t kFailed = 1;
}

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
  for (auto& [handle, chunk] : waves_) Mix_FreeChunk(chunk);
  waves_.clear();
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

uint32_t SdlWaveMix::WaveMixOpenWave(uint32_t session, const std::string& path, uint32_t,
                                     uint32_t) {
  if (!IsOpen(session)) return 0;
  std::string bytes;
  try {
    bytes = TrimWaveChunks(ReadStoredFile(path));
  } catch (const RuntimeError&) {
    return 0;
  }
  // Closed here: SDL_mixer leaves it open for some bytes that are no sound.
  SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!source) return 0;  // an empty file
  auto held = output_.Hold();
  if (!output_.OpenHeld()) {
    SDL_RWclose(source);
    return 0;
  }
  Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 0);
  SDL_RWclose(source);
  if (!chunk) return 0;
  const uint32_t wave = nextHandle_++;
  waves_[wave] = chunk;
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
  if (!output_.OpenHeld()) return kFailed;
  return Mix_PlayChannel(params.iChannel, wave->second, loops) == params.iChannel ? 0 : kFailed;
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
  // SDL_mixer halts every channel that still plays it first.
  auto held = output_.Hold();
  Mix_FreeChunk(found->second);
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
