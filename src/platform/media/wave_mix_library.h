#pragma once

#include <cstdint>
#include <string>

namespace tf {

// The mixer's configuration record.
struct MixConfig {
  uint16_t wSize = 10;
  uint32_t dwFlags = 0;
  uint16_t wChannels = 0;
  uint16_t wSamplingRate = 0;
};

// The record of a play request.
struct MixPlayParams {
  uint16_t wSize = 24;
  uint32_t hMixSession = 0;
  int32_t iChannel = 0;
  uint32_t lpMixWave = 0;
  uint32_t hWndNotify = 0;
  uint32_t dwFlags = 0;
  // 0xFFFF repeats until the channel is flushed; 0 plays once.
  uint16_t wLoops = 0;
};

constexpr uint16_t kLoopUntilFlushed = 0xFFFF;

// The channel mixer: WAV sounds on numbered channels of one open session.
// Handles are 32-bit; 0 is none. Called from the user-interface thread only.
class WaveMixLibrary {
 public:
  virtual ~WaveMixLibrary() = default;
  // A session handle, 0 when the mixer can't be opened.
  virtual uint32_t WaveMixConfigureInit(const MixConfig& config) = 0;
  // 0 when the session may sound.
  virtual uint32_t WaveMixActivate(uint32_t session, int32_t activate) = 0;
  // A wave handle, 0 when the file can't be loaded or the session is not open.
  virtual uint32_t WaveMixOpenWave(uint32_t session, const std::string& path, uint32_t instance,
                                   uint32_t flags) = 0;
  virtual uint32_t WaveMixOpenChannel(uint32_t session, int32_t channel, uint32_t flags) = 0;
  // A new wave on a channel cuts off what it played.
  virtual uint32_t WaveMixPlay(const MixPlayParams& params) = 0;
  // Silences the channel at once.
  virtual uint32_t WaveMixFlushChannel(uint32_t session, int16_t channel, uint32_t flags) = 0;
  virtual uint32_t WaveMixFreeWave(uint32_t session, uint32_t wave) = 0;
  // Closes the session: every channel falls silent and every wave is freed.
  virtual uint32_t WaveMixCloseSession(uint32_t session) = 0;

  // Whether a channel sounds now (for walkthrough expectations, not the game).
  virtual bool ChannelSounding(int channel) const = 0;
};

}  // namespace tf
