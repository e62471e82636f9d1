#include "platform/memory/memory_wave_mix.h"

#include "platform/runtime/path_resolver.h"

namespace tf {

uint32_t MemoryWaveMix::WaveMixConfigureInit(const MixConfig&) {
  if (failToOpen) return 0;
  session_ = nextHandle_++;
  return session_;
}

uint32_t MemoryWaveMix::WaveMixActivate(uint32_t session, int32_t) {
  return IsOpen(session) ? 0 : 1;
}

uint32_t MemoryWaveMix::WaveMixOpenWave(uint32_t session, const std::string& path, uint32_t,
                                        uint32_t) {
  if (!IsOpen(session) || !StoredFileExists(path)) return 0;
  uint32_t wave = nextHandle_++;
  waves_[wave] = path;
  return wave;
}

uint32_t MemoryWaveMix::WaveMixOpenChannel(uint32_t, int32_t, uint32_t) { return 0; }

uint32_t MemoryWaveMix::WaveMixPlay(const MixPlayParams& params) {
  if (!IsOpen(params.hMixSession) || params.iChannel < 0 || params.iChannel >= kChannels ||
      !waves_.count(params.lpMixWave))
    return 1;
  channels_[params.iChannel] = {params.lpMixWave, params.wLoops == kLoopUntilFlushed};
  return 0;
}

uint32_t MemoryWaveMix::WaveMixFlushChannel(uint32_t session, int16_t channel, uint32_t) {
  if (!IsOpen(session) || channel < 0 || channel >= kChannels) return 1;
  channels_[channel] = {};
  return 0;
}

uint32_t MemoryWaveMix::WaveMixFreeWave(uint32_t session, uint32_t wave) {
  if (!IsOpen(session) || !waves_.erase(wave)) return 1;
  for (Channel& channel : channels_)
    if (channel.wave == wave) channel = {};
  return 0;
}

uint32_t MemoryWaveMix::WaveMixCloseSession(uint32_t session) {
  if (!IsOpen(session)) return 1;
  session_ = 0;
  waves_.clear();
  channels_ = {};
  return 0;
}

bool MemoryWaveMix::ChannelSounding(int channel) const {
  return channel >= 0 && channel < kChannels && channels_[channel].wave != 0;
}

std::string MemoryWaveMix::ChannelFile(int channel) const {
  if (!ChannelSounding(channel)) return {};
  return waves_.at(channels_[channel].wave);
}

bool MemoryWaveMix::ChannelLoops(int channel) const {
  return ChannelSounding(channel) && channels_[channel].loops;
}

}  // namespace tf
