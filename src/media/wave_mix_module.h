#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tf {

// The thin layer over the channel mixer: one open session and the wave loaded
// on each channel. Every library call it makes goes to the trace; while no
// mixer is open it makes none but those that try to open it.
class WAVEMIX {
 public:
  // Paths in the trace are shown after `projectPath`'s system name.
  WAVEMIX(const Platform& platform, const std::string& projectPath);

  // 0 while no mixer is open.
  uint32_t MixerHandle = 0;
  // Wave handle per channel, 0 for none.
  std::vector<uint32_t> ChannelWaves;

  // Opens the mixer; false when it can't sound.
  bool InitWaveMixSession();
  void CloseWaveMixSession();
  // Loads a wave onto a channel, freeing the one it held.
  void OpenChannelWave(const std::string& FileName, int32_t Channel);
  void PlayChannelWave(int32_t Channel, int32_t LoopCount);
  void FlushChannelWave(int32_t Channel);

 private:
  WaveMixLibrary& Library() const { return *platform_.waveMix; }
  void Trace(const std::string& call) const { platform_.Trace("wavemix " + call); }

  const Platform& platform_;
  const std::string& projectPath_;
};

}  // namespace tf
