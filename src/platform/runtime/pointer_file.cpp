#include "platform/runtime/pointer_file.h"

#include <cstdint>

namespace tf {

namespace {
// Reserved, type, count, then one 16-byte entry per picture.
constexpr size_t kDirectorySize = 6;
constexpr size_t kEntrySize = 16;
constexpr uint32_t kIconType = 1;
constexpr uint32_t kCursorType = 2;

uint32_t U16(std::string_view bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

uint32_t U32(std::string_view bytes, size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

int SideOf(std::string_view bytes, size_t at) {
  int side = static_cast<unsigned char>(bytes[at]);
  return side == 0 ? 256 : side;
}
}  // namespace

std::optional<PointerDirectory> ReadPointerDirectory(std::string_view bytes) {
  if (bytes.size() < kDirectorySize) return std::nullopt;
  const uint32_t type = U16(bytes, 2);
  const uint32_t count = U16(bytes, 4);
  if (U16(bytes, 0) != 0 || (type != kIconType && type != kCursorType) || count == 0 ||
      bytes.size() < kDirectorySize + count * kEntrySize)
    return std::nullopt;
  PointerDirectory directory{type == kCursorType, {}};
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kDirectorySize + i * kEntrySize;
    const uint64_t size = U32(bytes, at + 8);
    const uint64_t offset = U32(bytes, at + 12);
    if (offset > bytes.size() || size > bytes.size() - offset) return std::nullopt;
    directory.entries.push_back({SideOf(bytes, at), SideOf(bytes, at + 1),
                                 static_cast<int>(U16(bytes, at + 4)),
                                 static_cast<int>(U16(bytes, at + 6))});
  }
  return directory;
}

}  // namespace tf
