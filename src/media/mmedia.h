#pragma once

#include <string>

namespace tf {

// A media device driven by command strings: MIDI music or a video.
class Mmedia {
 public:
  // Closes the device: what it plays stops.
  void mmClose();
  // "playing" while it plays, "stopped" once done.
  std::string Status() const;
  void StopMovie();
};

}  // namespace tf
