#include "platform/audio/riff_midi.h"

#include <algorithm>
#include <cstdint>

namespace tf {

namespace {
constexpr size_t kRiffHeader = 12;  // "RIFF", its length, "RMID"
constexpr size_t kChunkHeader = 8;  // the chunk's name and length

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  return value;
}
}  // namespace

std::string UnwrapRiffMidi(std::string bytes) {
  if (bytes.size() < kRiffHeader || bytes.compare(0, 4, "RIFF") != 0 ||
      bytes.compare(8, 4, "RMID") != 0)
    return bytes;
  // The RIFF length is not trusted: the file's size bounds the walk.
  for (uint64_t at = kRiffHeader; at + kChunkHeader <= bytes.size();) {
    const uint64_t length = Le32(bytes, at + 4);
    const uint64_t body = at + kChunkHeader;
    if (bytes.compare(at, 4, "data") == 0)
      return bytes.substr(body, std::min<uint64_t>(length, bytes.size() - body));
    // Chunks start on even offsets.
    at = body + length + (length & 1);
  }
  return {};
}

}  // namespace tf
