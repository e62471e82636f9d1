#pragma once

#include <string>

namespace tf {

// One open media device behind the command strings: what "Play", "Pause",
// "Stop", "Seek" and "Status" do to it. Called on the user-interface thread.
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;
  // From where it stands; at its end nothing more plays.
  virtual void Play() = 0;
  virtual void Pause() = 0;
  virtual void Stop() = 0;
  // False when the device can't go there.
  virtual bool Seek(double position) = 0;
  // "playing", "paused" or "stopped" (also once it has played to its end).
  virtual std::string Mode() const = 0;
  // In the device's time unit: milliseconds for sound, frames for video.
  virtual double Length() const = 0;
  virtual double Position() const = 0;
};

}  // namespace tf
