#include "media/wave_mix_module.h"

#include "platform/runtime/path_resolver.h"

namespace tf {

namespace {
constexpr uint32_t kConfigFlags = 0x10000;
constexpr uint16_t kConfigChannels = 2;
constexpr uint32_t kPlayFlags = 0x50000;
constexpr int32_t kActivate = -1;
}  // namespace

WAVEMIX::WAVEMIX(const Platform& platform, const std::string& projectPath)
    : platform_(platform), projectPath_(projectPath) {}

bool WAVEMIX::InitWaveMixSession() {
  ChannelWaves.assign(1, 0);
  MixConfig config;
  config.dwFlags = kConfigFlags;
  config.wChannels = kConfigChannels;
  MixerHandle = Library().WaveMixConfigureInit(config);
  Trace("WaveMixConfigureInit -> " + std::to_string(MixerHandle));
  const uint32_t result = Library().WaveMixActivate(MixerHandle, kActivate);
  Trace("WaveMixActivate -> " + std::to_string(result));
  if (result == 0) return true;
  Library().WaveMixCloseSession(MixerHandle);
  Trace("WaveMixCloseSession");
  MixerHandle = 0;
  return false;
}

void WAVEMIX::CloseWaveMixSession() {
  if (MixerHandle == 0) return;
  for (size_t i = 0; i < ChannelWaves.size(); ++i) {
    if (ChannelWaves[i] == 0) continue;
    FlushChannelWave(static_cast<int32_t>(i));
    Library().WaveMixFreeWave(MixerHandle, ChannelWaves[i]);
    Trace("WaveMixFreeWave " + std::to_string(ChannelWaves[i]));
  }
  Library().WaveMixCloseSession(MixerHandle);
  Trace("WaveMixCloseSession");
  MixerHandle = 0;
}

void WAVEMIX::OpenChannelWave(const std::string& FileName, int32_t Channel) {
  const auto channel = static_cast<size_t>(Channel);
  if (channel >= ChannelWaves.size()) ChannelWaves.resize(channel + 1, 0);
  if (ChannelWaves[channel] != 0) {
    FlushChannelWave(Channel);
    Library().WaveMixFreeWave(MixerHandle, ChannelWaves[channel]);
    Trace("WaveMixFreeWave " + std::to_string(ChannelWaves[channel]));
  }
  // With no mixer open nothing can load.
  ChannelWaves[channel] = 0;
  if (MixerHandle == 0) return;
  ChannelWaves[channel] = Library().WaveMixOpenWave(MixerHandle, FileName, 0, 0);
  Trace("WaveMixOpenWave \"" + TracePath(FileName, projectPath_) + "\" -> " +
        std::to_string(ChannelWaves[channel]));
  Library().WaveMixOpenChannel(MixerHandle, Channel, 0);
  Trace("WaveMixOpenChannel " + std::to_string(Channel));
}

void WAVEMIX::PlayChannelWave(int32_t Channel, int32_t LoopCount) {
  if (Channel < 0 || static_cast<size_t>(Channel) >= ChannelWaves.size() || MixerHandle == 0)
    return;
  MixPlayParams params;
  params.hMixSession = MixerHandle;
  params.iChannel = Channel;
  params.lpMixWave = ChannelWaves[static_cast<size_t>(Channel)];
  params.dwFlags = kPlayFlags;
  params.wLoops = static_cast<uint16_t>(LoopCount);
  Library().WaveMixPlay(params);
  Trace("WaveMixPlay " + std::to_string(Channel) + " " + std::to_string(params.lpMixWave) + " " +
        std::to_string(params.wLoops));
}

void WAVEMIX::FlushChannelWave(int32_t Channel) {
  if (MixerHandle == 0) return;
  const auto channel = static_cast<int16_t>(Channel);
  Library().WaveMixFlushChannel(MixerHandle, channel, 0);
  Trace("WaveMixFlushChannel " + std::to_string(channel));
}

}  // namespace tf
