#pragma once

#include <cstdint>
#include <string>

namespace tf {

// A mono PCM WAV file of `frames` frames at `rate`, whatever the rate, of 8-
// or 16-bit samples (`sampleBytes` 1 or 2): a square wave, loud enough to be
// told from silence.
inline std::string PcmWave(uint32_t rate, uint32_t frames, uint16_t sampleBytes = 2) {
  auto le = [](uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i, value >>= 8) out += static_cast<char>(value & 0xFF);
    return out;
  };
  const uint32_t dataBytes = frames * sampleBytes;
  std::string wave = "RIFF" + le(36 + dataBytes, 4) + "WAVE" + "fmt " + le(16, 4) + le(1, 2) +
                     le(1, 2) + le(rate, 4) + le(rate * sampleBytes, 4) + le(sampleBytes, 2) +
                     le(8u * sampleBytes, 2) + "data" + le(dataBytes, 4);
  for (uint32_t i = 0; i < frames; ++i) {
    const bool high = i / 8 % 2 == 0;
    wave += sampleBytes == 1 ? le(high ? 192 : 64, 1) : le(high ? 8000 : 0x10000 - 8000, 2);
  }
  return wave;
}

}  // namespace tf
