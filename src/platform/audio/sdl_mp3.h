#pragma once

#include <memory>

#include "platform/audio/audio_output.h"
#include "platform/media/mp3_library.h"

namespace tf {

// MP3 music on SDL_mixer's music stream. The calls live as long as an MP3
// thread holds them; this owner silences them for good when it goes, so that
// a thread that outlives it never reaches the closed output.
class SdlMp3 {
 public:
  explicit SdlMp3(AudioOutput& output);
  ~SdlMp3();
  SdlMp3(const SdlMp3&) = delete;
  SdlMp3& operator=(const SdlMp3&) = delete;

  std::shared_ptr<Mp3Library> Calls() const;

 private:
  class Calls_;
  std::shared_ptr<Calls_> calls_;
};

}  // namespace tf
