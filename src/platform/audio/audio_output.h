#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tf {

// The program's one audio output. SDL_mixer plays its channels and its music
// stream on it; further sources (the synthesizer, a video's sound) are mixed
// in after them, so everything sounds together in one mix.
//
// With no usable sound device it opens SDL's silent "dummy" driver, which
// still pulls the mix in real time: media play, end and report as if heard.
//
// The device opens on first use and closes again after some seconds in which
// nothing sounded: an open device wakes its thread for every buffer, sound or
// not. SDL's sound system is let go with it. Whatever starts a sound opens it
// again first.
class AudioOutput {
 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kChannels = 2;
  // Quiet for `quietBeforeClosing`, the device closes.
  explicit AudioOutput(std::chrono::milliseconds quietBeforeClosing = std::chrono::seconds(5))
      : closeAfterFrames_(quietBeforeClosing.count() * kSampleRate / 1000) {}
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;
  ~AudioOutput();

  // Starts the sound system (finding its driver, the slow part) on a thread
  // of its own, so that neither the program's start nor the first sound
  // waits for it.
  void PrepareInBackground();
  // Opens the output if it isn't open, and counts the quiet from now; true
  // when it is open (possibly silent).
  bool Open();
  // Whether it is open now.
  bool IsOpen() const { return open_; }
  // Whether SDL's sound system is up: from its preparation or an opening,
  // until the device has closed or it has gone unused for the quiet period.
  bool HoldsSoundSystem() const;
  // The SDL driver in use ("pulseaudio", "alsa", "dummy", "disk", ...).
  const std::string& Driver() const { return driver_; }

  // Held around SDL_mixer calls: while it is held the output neither opens
  // nor closes but through OpenHeld.
  std::unique_lock<std::mutex> Hold() { return std::unique_lock(deviceLock_); }
  // Open, with Hold already held.
  bool OpenHeld();

  // Adds interleaved stereo 16-bit frames at kSampleRate into `samples`,
  // which holds `frames` frames of silence when it is called, and says
  // whether the source still sounds (or will again without being started):
  // while any does, the output stays open. Called on the audio thread; it
  // must not block.
  using Source = std::function<bool(int16_t* samples, int frames)>;
  // Returns an id for RemoveSource. Opens the output if needed.
  int AddSource(Source source);
  // Once this returns the source is never called again.
  void RemoveSource(int id);

 private:
  static void PostMix(void* self, uint8_t* stream, int length);
  bool MixSources(int16_t* stream, int samples);
  void KeepWhileUsed();

  void Prepare();
  void Release();
  std::chrono::steady_clock::time_point PreparedAt() const;
  void OpenDevice();
  void CloseDevice();

  std::shared_future<void> preparing_;
  mutable std::mutex preparedLock_;  // taken after deviceLock_, never before
  bool prepared_ = false;
  std::chrono::steady_clock::time_point preparedAt_;
  std::mutex deviceLock_;
  std::atomic<bool> open_ = false;
  std::string driver_;
  const int64_t closeAfterFrames_;
  // Frames mixed since something last sounded; the audio thread counts.
  std::atomic<int64_t> quietFrames_ = 0;
  std::condition_variable quiet_;
  bool closing_ = false;
  std::thread keeper_;  // started with the preparation or the first opening
  std::mutex sourcesLock_;
  std::map<int, Source> sources_;
  int nextSourceId_ = 1;
  std::vector<int16_t> scratch_;
};

}  // namespace tf
