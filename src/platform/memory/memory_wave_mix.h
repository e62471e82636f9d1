#pragma once

#include <array>
#include <map>
#include <string>

#include "platform/media/wave_mix_library.h"

namespace tf {

// The channel mixer without sound: it loads waves whose files exist and keeps
// which channel holds which wave. With no time passing, a sound played once
// sounds until its channel is flushed.
class MemoryWaveMix : public WaveMixLibrary {
 public:
  // Makes WaveMixConfigureInit fail, as with no audio device.
  bool failToOpen = false;

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

  // The file of the wave a channel plays, empty when it is silent.
  std::string ChannelFile(int channel) const;
  // Whether the channel's sound repeats until flushed.
  bool ChannelLoops(int channel) const;

 private:
  struct Channel {
    uint32_t wave = 0;
    bool loops = false;
  };
  static constexpr int kChannels = 8;
  bool IsOpen(uint32_t session) const { return session != 0 && session == session_; }

  uint32_t session_ = 0;
  uint32_t nextHandle_ = 1;
  std::map<uint32_t, std::string> waves_;
  std::array<Channel, kChannels> channels_{};
};

}  // namespace tf
