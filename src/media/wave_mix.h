#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "media/wave_mix_module.h"

namespace tf {

// The sound mixer of the game: eight channels, each with the WAV file last set
// on it and its loop count. Made, it opens the mixer (warning once when it
// can't, then staying silent); destroyed, it silences and closes it.
class cWaveMix {
 public:
  cWaveMix(const Platform& platform, const std::string& projectPath);
  ~cWaveMix();
  cWaveMix(const cWaveMix&) = delete;
  cWaveMix& operator=(const cWaveMix&) = delete;

  // The channel the other members act on, 0 to 7; the others raise error 9
  // for any other (Quit excepted).
  int32_t CurrentChannel = 0;

  // Loads the file onto the channel.
  void SetFileName(const std::string& AFileName);
  // True repeats the sound until the channel is stopped.
  void SetAutoLoop(bool LoopWave);
  void Play();
  // Silences the channel.
  void Quit();

 private:
  struct ChannelSlot {
    int32_t LoopWave = 0;
    std::string FileName;
  };
  ChannelSlot& CurrentSlot();

  WAVEMIX module_;
  std::array<ChannelSlot, 8> slots_;
};

}  // namespace tf
