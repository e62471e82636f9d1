#pragma once

#include <string>

namespace tf {

// The sound mixer's single-sound interface: a WAV file on a channel.
class cWaveMix {
 public:
  int CurrentChannel = 0;
  std::string FileName;
  bool AutoLoop = false;
  void Play();
};

}  // namespace tf
