#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/media_device.h"

namespace tf {

class AudioOutput;

// A "Waveaudio" device: one WAV file, converted once to the output's format
// and mixed into the audio output while it plays.
class WaveSound : public MediaDevice {
 public:
  // Null when the data is not a WAV file SDL can read.
  static std::unique_ptr<WaveSound> Open(AudioOutput& output, const std::string& data);
  ~WaveSound() override;

  void Play() override;
  void Pause() override;
  void Stop() override;
  bool Seek(double milliseconds) override;
  std::string Mode() const override;
  double Length() const override;
  double Position() const override;

 private:
  WaveSound(AudioOutput& output, std::vector<int16_t> samples);
  void Mix(int16_t* samples, int frames);

  AudioOutput& output_;
  const std::vector<int16_t> samples_;  // interleaved stereo
  std::atomic<size_t> nextFrame_{0};
  std::atomic<bool> playing_{false};
  bool paused_ = false;
  int sourceId_;
};

}  // namespace tf
