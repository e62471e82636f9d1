#pragma once

#include <map>

#include "platform/audio/audio_output.h"
#include "platform/media/wave_mix_library.h"

struct Mix_Chunk;

namespace tf {

// The channel mixer on SDL_mixer's first eight channels.
class SdlWaveMix : public WaveMixLibrary {
 public:
  // `failToOpen` makes every session fail to open, as without audio hardware.
  SdlWaveMix(AudioOutput& output, bool failToOpen);
  ~SdlWaveMix() override;
  SdlWaveMix(const SdlWaveMix&) = delete;
  SdlWaveMix& operator=(const SdlWaveMix&) = delete;

  uint32_t WaveMixConfigureInit(const MixConfig& config) override;
  uint32_t WaveMixActivate(uint32_t session, int32_t activate) override;
  uint32_t WaveMixOpenWave(uint32_t session, const std::string& path, uint32_t instance,
                           uint32_t flags) override;
  uint32_t WaveMixOpenChannel(uint32_t session, int32_t channel, uint32_t flags) override;
  uint32_t WaveMixPlay(const MixPlayParams& params) override;
  uint32_t WaveMixFlushChannel(uint32_t session, int16_t channel, uint32_t flags) override;
  uint32_t WaveMixFreeWave(uint32_t session, uint32_t wave) override;
  uint32_t WaveMixCloseSession(uint32_t session) override;
  bool ChannelSounding(int channel) const override;

 private:
  static constexpr int kChannels = 8;
  bool IsOpen(uint32_t session) const { return session != 0 && session == session_; }
  static bool IsChannel(int channel) { return channel >= 0 && channel < kChannels; }
  void FreeAll();

  AudioOutput& output_;
  const bool failToOpen_;
  uint32_t session_ = 0;
  uint32_t nextHandle_ = 1;
  std::map<uint32_t, Mix_Chunk*> waves_;
};

}  // namespace tf
