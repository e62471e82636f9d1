#include "platform/audio/wave_sound.h"

#include <algorithm>

#include "platform/audio/audio_output.h"
#include "platform/audio/wave_samples.h"

namespace tf {

namespace {
constexpr double kFramesPerMs = AudioOutput::kSampleRate / 1000.0;
}  // namespace

std::unique_ptr<WaveSound> WaveSound::Open(AudioOutput& output, std::string data) {
  std::unique_ptr<WaveSamples> samples = WaveSamples::Open(std::move(data));
  if (!samples) return nullptr;
  return std::unique_ptr<WaveSound>(new WaveSound(output, std::move(samples)));
}

WaveSound::WaveSound(AudioOutput& output, std::unique_ptr<WaveSamples> samples)
    : output_(output), samples_(std::move(samples)), frames_(samples_->OutputFrames()) {
  sourceId_ = output_.AddSource([this](int16_t* mix, int frames) {
    Mix(mix, frames);
    return playing_.load();
  });
}

WaveSound::~WaveSound() { output_.RemoveSource(sourceId_); }

void WaveSound::Mix(int16_t* mix, int frames) {
  if (!playing_) return;
  if (const int64_t seek = seekTo_.exchange(-1); seek >= 0) samples_->Seek(seek);
  const int read = samples_->Read(mix, frames);
  if (read < frames) {
    nextFrame_ = frames_;
    playing_ = false;
  } else {
    nextFrame_ = std::min(nextFrame_ + read, frames_);
  }
}

void WaveSound::Play() {
  if (nextFrame_ >= frames_) return;
  output_.Open();
  paused_ = false;
  playing_ = true;
}

void WaveSound::Pause() {
  if (!playing_) return;
  playing_ = false;
  paused_ = true;
}

void WaveSound::Stop() {
  playing_ = false;
  paused_ = false;
}

bool WaveSound::Seek(double milliseconds) {
  const int64_t frame =
      std::min(static_cast<int64_t>(std::max(0.0, milliseconds) * kFramesPerMs), frames_);
  nextFrame_ = frame;
  seekTo_ = frame;
  return true;
}

std::string WaveSound::Mode() const {
  if (paused_) return "paused";
  return playing_ ? "playing" : "stopped";
}

double WaveSound::Length() const { return static_cast<double>(frames_) / kFramesPerMs; }

double WaveSound::Position() const { return static_cast<double>(nextFrame_) / kFramesPerMs; }

}  // namespace tf
