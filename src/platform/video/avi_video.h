#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/audio/media_device.h"
#include "platform/video/video_surface.h"

namespace tf {

class AudioOutput;

// An "AviVideo" device: a video file decoded on a thread of its own, its
// pictures handed to a surface and its sound mixed into the audio output.
// The sound's clock paces the pictures; a video without sound, or with no
// output to play it, keeps time by the system clock.
class AviVideo : public MediaDevice {
 public:
  // Makes the surface for a video of the given size; may give null.
  using SurfaceMaker = std::function<std::unique_ptr<VideoSurface>(int width, int height)>;

  // Null when the file can't be opened or holds no picture stream.
  static std::unique_ptr<AviVideo> Open(AudioOutput& output, const std::string& path,
                                        const SurfaceMaker& makeSurface);
  ~AviVideo() override;

  void Play() override;
  void Pause() override;
  void Stop() override;
  bool Seek(double frame) override;
  std::string Mode() const override;
  double Length() const override;
  double Position() const override { return shownFrames_; }

 private:
  struct Decoder;
  enum State { kStopped, kPlaying, kPaused };

  AviVideo(AudioOutput& output, std::unique_ptr<Decoder> decoder);
  void Run();
  // Decodes, shows what is due; returns how long to sleep before looking again.
  std::chrono::milliseconds Step();
  double ClockSeconds() const;
  void MixSound(int16_t* samples, int frames);
  void SetState(State state);

  AudioOutput& output_;
  std::unique_ptr<Decoder> decoder_;
  std::unique_ptr<VideoSurface> surface_;
  int sourceId_ = 0;
  bool soundClock_ = false;

  mutable std::mutex lock_;
  std::condition_variable wake_;
  bool quit_ = false;
  std::atomic<int> state_{kStopped};
  std::atomic<bool> ended_{false};
  std::atomic<int64_t> soundFramesPlayed_{0};
  std::atomic<int64_t> shownFrames_{0};
  // System-clock time: seconds played before the last start, and that start.
  double playedBefore_ = 0;
  std::chrono::steady_clock::time_point startedAt_;
  std::thread worker_;
};

}  // namespace tf
