#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _SDL_AudioStream;

namespace tf {

// A WAV file's samples as SDL reads them, in the file's own format, converted
// piece by piece to the output's (interleaved 16-bit stereo at
// AudioOutput::kSampleRate): only the piece asked for is converted, so what a
// sound costs in memory stays what its file holds, whatever its rate.
class WaveSamples {
 public:
  // The rates a sound may have, as for a video's sound; a header outside
  // them is damaged (one sample a second would make each byte seconds long).
  static constexpr int kLowestRate = 1000;
  static constexpr int kHighestRate = 384000;

  // Null when the bytes are no WAV that SDL reads, or their rate lies
  // outside those.
  static std::unique_ptr<WaveSamples> Open(std::string file);
  ~WaveSamples();
  WaveSamples(const WaveSamples&) = delete;
  WaveSamples& operator=(const WaveSamples&) = delete;

  // The whole sound's length in frames at the output's rate.
  int64_t OutputFrames() const { return outputFrames_; }
  // Converts up to `frames` frames from where the last read or seek ended
  // into `samples`; fewer only at the sound's end.
  int Read(int16_t* samples, int frames);
  // The next read starts at this output frame.
  void Seek(int64_t frame);

 private:
  WaveSamples(uint8_t* buffer, size_t length, size_t frameBytes, int rate, uint8_t silence,
              _SDL_AudioStream* stream);

  uint8_t* const buffer_;  // SDL's, in the file's format
  const size_t length_;    // in bytes, whole frames only
  const size_t frameBytes_;
  const int rate_;
  const uint8_t silence_;  // a sample's byte of silence
  const int64_t outputFrames_;
  _SDL_AudioStream* const stream_;
  size_t next_ = 0;       // the byte of the next frame to convert
  int64_t produced_ = 0;  // output frames read
  bool flushed_ = false;
};

// The whole sound converted, as interleaved 16-bit stereo at the output's
// rate; null when it is no sound (see WaveSamples::Open) or would take more
// than `largestBytes`, which is known before any of it is converted.
std::unique_ptr<std::vector<int16_t>> DecodeWave(std::string file, size_t largestBytes);

}  // namespace tf
