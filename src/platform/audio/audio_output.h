#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace tf {

// The program's one audio output. SDL_mixer plays its channels and its music
// stream on it; further sources (the synthesizer, a video's sound) are mixed
// in after them, so everything sounds together in one mix.
//
// With no usable sound device it opens SDL's silent "dummy" driver, which
// still pulls the mix in real time: media play, end and report as if heard.
class AudioOutput {
 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kChannels = 2;

  AudioOutput() = default;
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;
  ~AudioOutput();

  // Starts the sound system (finding its driver, the slow part) on a thread
  // of its own, so that neither the program's start nor the first sound
  // waits for it. The device itself opens on first use: until a sound is
  // made no audio thread wakes the processor.
  void PrepareInBackground();
  // Opens the output on first use; true when it is open (possibly silent).
  bool Open();
  // Whether something has opened it.
  bool IsOpen() const { return open_; }
  // The SDL driver in use ("pulseaudio", "alsa", "dummy", "disk", ...).
  const std::string& Driver() const { return driver_; }

  // Adds interleaved stereo 16-bit frames at kSampleRate into `samples`,
  // which holds `frames` frames of silence when it is called. Called on the
  // audio thread; it must not block.
  using Source = std::function<void(int16_t* samples, int frames)>;
  // Returns an id for RemoveSource. Opens the output if needed.
  int AddSource(Source source);
  // Once this returns the source is never called again.
  void RemoveSource(int id);

 private:
  static void PostMix(void* self, uint8_t* stream, int length);
  void MixSources(int16_t* stream, int samples);

  void Prepare();
  void OpenDevice();

  std::once_flag preparedOnce_;
  std::once_flag opened_;
  std::shared_future<void> preparing_;
  bool prepared_ = false;
  std::atomic<bool> open_ = false;
  std::string driver_;
  std::mutex sourcesLock_;
  std::map<int, Source> sources_;
  int nextSourceId_ = 1;
  std::vector<int16_t> scratch_;
};

}  // namespace tf
