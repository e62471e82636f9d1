#include "platform/audio/wave_chunks.h"

#include <algorithm>
#include <cstdint>

namespace tf {

namespace {
constexpr size_t kChunkHeader = 8;
constexpr size_t kRiffHeader = 12;

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}

void SetLe32(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i, value >>= 8) bytes[at + i] = static_cast<char>(value & 0xFF);
}

// Cuts the length at `at` to `available` bytes; returns the length kept.
size_t Clamp(std::string& bytes, size_t at, size_t available) {
  const size_t length = std::min<size_t>(Le32(bytes, at), available);
  SetLe32(bytes, at, static_cast<uint32_t>(length));
  return length;
}
}  // namespace

std::string TrimWaveChunks(std::string bytes) {
  size_t first = 0;
  if (bytes.size() >= kRiffHeader && bytes.compare(0, 4, "RIFF") == 0 &&
      bytes.compare(8, 4, "WAVE") == 0) {
    Clamp(bytes, 4, bytes.size() - kChunkHeader);
    first = kRiffHeader;
  } else if (bytes.compare(0, 4, "WAVE") == 0) {
    // SDL also takes the chunks without the RIFF header before them.
    first = 4;
  } else {
    return bytes;
  }
  for (size_t at = first; at + kChunkHeader <= bytes.size();) {
    const size_t length = Clamp(bytes, at + 4, bytes.size() - at - kChunkHeader);
    // Chunks start on even offsets.
    at += kChunkHeader + length + (length & 1);
  }
  return bytes;
}

}  // namespace tf
