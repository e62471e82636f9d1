#include "platform/audio/wave_samples.h"

#include <SDL.h>

#include <algorithm>

#include "platform/audio/audio_output.h"
#include "platform/audio/wave_chunks.h"

namespace tf {

namespace {
constexpr int kFrameBytes = AudioOutput::kChannels * sizeof(int16_t);
// Frames of the file handed to the converter at a time.
constexpr size_t kPieceFrames = 4096;
// Silence after a sound, more than the resampler keeps back: frames of the
// file, and as many again at the output's rate.
constexpr size_t kSilenceFrames = 1024;
}  // namespace

std::unique_ptr<WaveSamples> WaveSamples::Open(std::string file) {
  file = TrimWaveChunks(std::move(file));
  SDL_RWops* source = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
  if (!source) return nullptr;  // an empty file
  SDL_AudioSpec format;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(source, 1, &format, &buffer, &length)) return nullptr;
  SDL_AudioStream* stream =
      format.freq < kLowestRate || format.freq > kHighestRate
          ? nullptr
          : SDL_NewAudioStream(format.format, format.channels, format.freq, AUDIO_S16SYS,
                               AudioOutput::kChannels, AudioOutput::kSampleRate);
  if (!stream) {
    SDL_FreeWAV(buffer);
    return nullptr;
  }
  const size_t frameBytes = SDL_AUDIO_BITSIZE(format.format) / 8 * size_t{format.channels};
  const uint8_t silence = format.format == AUDIO_U8 ? 0x80 : 0;
  return std::unique_ptr<WaveSamples>(new WaveSamples(buffer, length - length % frameBytes,
                                                      frameBytes, format.freq, silence, stream));
}

WaveSamples::WaveSamples(uint8_t* buffer, size_t length, size_t frameBytes, int rate,
                         uint8_t silence, SDL_AudioStream* stream)
    : buffer_(buffer),
      length_(length),
      frameBytes_(frameBytes),
      rate_(rate),
      silence_(silence),
      outputFrames_(
          static_cast<int64_t>((length / frameBytes * AudioOutput::kSampleRate + rate - 1) / rate)),
      stream_(stream) {}

WaveSamples::~WaveSamples() {
  SDL_FreeAudioStream(stream_);
  SDL_FreeWAV(buffer_);
}

int WaveSamples::Read(int16_t* samples, int frames) {
  auto* out = reinterpret_cast<uint8_t*>(samples);
  const int wanted =
      static_cast<int>(std::min<int64_t>(frames, outputFrames_ - produced_)) * kFrameBytes;
  int done = 0;
  while (done < wanted) {
    const int got = SDL_AudioStreamGet(stream_, out + done, wanted - done);
    if (got < 0) break;
    done += got;
    if (done == wanted) break;
    if (next_ < length_) {
      const size_t piece = std::min(length_ - next_, kPieceFrames * frameBytes_);
      if (SDL_AudioStreamPut(stream_, buffer_ + next_, static_cast<int>(piece)) < 0) break;
      next_ += piece;
    } else if (!flushed_) {
      // The resampler keeps the sound's last frames back until others follow
      // them: silence, which the sound's length then cuts off.
      const size_t frames = kSilenceFrames + kSilenceFrames * rate_ / AudioOutput::kSampleRate;
      const std::vector<uint8_t> silence(frames * frameBytes_, silence_);
      SDL_AudioStreamPut(stream_, silence.data(), static_cast<int>(silence.size()));
      SDL_AudioStreamFlush(stream_);
      flushed_ = true;
    } else {
      break;
    }
  }
  produced_ += done / kFrameBytes;
  return done / kFrameBytes;
}

void WaveSamples::Seek(int64_t frame) {
  produced_ = std::clamp<int64_t>(frame, 0, outputFrames_);
  const auto source = static_cast<size_t>(produced_ * rate_ / AudioOutput::kSampleRate);
  next_ = std::min(source * frameBytes_, length_);
  SDL_AudioStreamClear(stream_);
  flushed_ = false;
}

std::unique_ptr<std::vector<int16_t>> DecodeWave(std::string file, size_t largestBytes) {
  std::unique_ptr<WaveSamples> wave = WaveSamples::Open(std::move(file));
  if (!wave || static_cast<uint64_t>(wave->OutputFrames()) * kFrameBytes > largestBytes)
    return nullptr;
  auto samples = std::make_unique<std::vector<int16_t>>(static_cast<size_t>(wave->OutputFrames()) *
                                                        AudioOutput::kChannels);
  size_t frames = 0;
  while (int read = wave->Read(samples->data() + frames * AudioOutput::kChannels,
                               static_cast<int>(kPieceFrames)))
    frames += static_cast<size_t>(read);
  samples->resize(frames * AudioOutput::kChannels);
  return samples;
}

}  // namespace tf
