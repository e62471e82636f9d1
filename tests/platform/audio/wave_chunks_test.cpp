#include "platform/audio/wave_chunks.h"

#include <gtest/gtest.h>

namespace tf {
namespace {

std::string Le32(uint32_t value) {
  std::string out;
  for (int i = 0; i < 4; ++i, value >>= 8) out += static_cast<char>(value & 0xFF);
  return out;
}

// The fuzzer's finds: data chunks claiming gigabytes, after a RIFF header
// or without one.
TEST(WaveChunksTest, LengthsBeyondTheFileAreCutToWhatItHolds) {
  const std::string format = "fmt " + Le32(3) + "abc" + std::string(1, '\0');
  const std::string damaged =
      "RIFF" + Le32(0xFFFFFFF0) + "WAVE" + format + "data" + Le32(0xFFFF00DC) + "12345";
  const std::string expected =
      "RIFF" + Le32(damaged.size() - 8) + "WAVE" + format + "data" + Le32(5) + "12345";
  EXPECT_EQ(TrimWaveChunks(damaged), expected);
  EXPECT_EQ(TrimWaveChunks(damaged.substr(8)), expected.substr(8));
  // A chunk header cut short, and bytes that are no WAV, stay as they are.
  EXPECT_EQ(TrimWaveChunks(expected + "da"), expected + "da");
  EXPECT_EQ(TrimWaveChunks("RIFF" + Le32(99) + "AVI "), "RIFF" + Le32(99) + "AVI ");
}

}  // namespace
}  // namespace tf
