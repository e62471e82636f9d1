#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/media_device.h"

namespace tf {

class AudioOutput;
class WaveSamples;

// A "Waveaudio" device: one WAV file, converted to the output's format piece
// by piece as it is mixed into the audio output, so that a long sound costs
// no more than its file.
class WaveSound : public MediaDevice {
 public:
  // Null when the data is not a WAV file SDL can read, or not at a rate a
  // sound may have.
  static std::unique_ptr<WaveSound> Open(AudioOutput& output, std::string data);
  ~WaveSound() override;

  void Play() override;
  void Pause() override;
  void Stop() override;
  bool Seek(double milliseconds) override;
  std::string Mode() const override;
  double Length() const override;
  double Position() const override;

 private:
  WaveSound(AudioOutput& output, std::unique_ptr<WaveSamples> samples);
  void Mix(int16_t* samples, int frames);

  AudioOutput& output_;
  // Read and sought on the audio thread only.
  const std::unique_ptr<WaveSamples> samples_;
  const int64_t frames_;
  std::atomic<int64_t> nextFrame_{0};
  // A seek for the audio thread to make, or -1.
  std::atomic<int64_t> seekTo_{-1};
  std::atomic<bool> playing_{false};
  bool paused_ = false;
  int sourceId_;
};

}  // namespace tf
