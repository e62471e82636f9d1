#include "platform/audio/wave_sound.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/audio/audio_output.h"
#include "platform/audio/wave_chunks.h"

namespace tf {

namespace {
constexpr double kFramesPerMs = AudioOutput::kSampleRate / 1000.0;

// The WAV data as interleaved 16-bit stereo at the output's rate.
std::optional<std::vector<int16_t>> Decode(const std::string& file) {
  const std::string data = TrimWaveChunks(file);
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  SDL_RWops* source = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
  if (!SDL_LoadWAV_RW(source, 1, &format, &buffer, &length)) return std::nullopt;
  // A sound without samples opens and ends at once.
  if (length == 0) {
    SDL_FreeWAV(buffer);
    return std::vector<int16_t>{};
  }
  SDL_AudioCVT convert;
  if (SDL_BuildAudioCVT(&convert, format.format, format.channels, format.freq, AUDIO_S16SYS,
                        AudioOutput::kChannels, AudioOutput::kSampleRate) < 0) {
    SDL_FreeWAV(buffer);
    return std::nullopt;
  }
  std::vector<Uint8> work(static_cast<size_t>(length) * std::max(1, convert.len_mult));
  std::memcpy(work.data(), buffer, length);
  SDL_FreeWAV(buffer);
  convert.buf = work.data();
  convert.len = static_cast<int>(length);
  if (convert.needed && SDL_ConvertAudio(&convert) < 0) return std::nullopt;
  size_t bytes = convert.needed ? static_cast<size_t>(convert.len_cvt) : length;
  std::vector<int16_t> samples(bytes / sizeof(int16_t) / AudioOutput::kChannels *
                               AudioOutput::kChannels);
  if (!samples.empty()) std::memcpy(samples.data(), work.data(), samples.size() * sizeof(int16_t));
  return samples;
}
}  // namespace

std::unique_ptr<WaveSound> WaveSound::Open(AudioOutput& output, const std::string& data) {
  std::optional<std::vector<int16_t>> samples = Decode(data);
  if (!samples) return nullptr;
  return std::unique_ptr<WaveSound>(new WaveSound(output, std::move(*samples)));
}

WaveSound::WaveSound(AudioOutput& output, std::vector<int16_t> samples)
    : output_(output), samples_(std::move(samples)) {
  sourceId_ = output_.AddSource([this](int16_t* mix, int frames) {
    Mix(mix, frames);
    return playing_.load();
  });
}

WaveSound::~WaveSound() { output_.RemoveSource(sourceId_); }

void WaveSound::Mix(int16_t* mix, int frames) {
  if (!playing_) return;
  const size_t total = samples_.size() / AudioOutput::kChannels;
  size_t first = nextFrame_.load();
  size_t count = std::min(static_cast<size_t>(frames), total - std::min(first, total));
  std::copy_n(samples_.begin() + static_cast<ptrdiff_t>(first * AudioOutput::kChannels),
              count * AudioOutput::kChannels, mix);
  nextFrame_ = first + count;
  if (first + count >= total) playing_ = false;
}

void WaveSound::Play() {
  if (nextFrame_ * AudioOutput::kChannels >= samples_.size()) return;
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
  size_t frame = static_cast<size_t>(std::max(0.0, milliseconds) * kFramesPerMs);
  nextFrame_ = std::min(frame, samples_.size() / AudioOutput::kChannels);
  return true;
}

std::string WaveSound::Mode() const {
  if (paused_) return "paused";
  return playing_ ? "playing" : "stopped";
}

double WaveSound::Length() const {
  return static_cast<double>(samples_.size() / AudioOutput::kChannels) / kFramesPerMs;
}

double WaveSound::Position() const { return static_cast<double>(nextFrame_) / kFramesPerMs; }

}  // namespace tf
