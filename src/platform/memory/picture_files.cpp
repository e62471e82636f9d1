#include "platform/memory/picture_files.h"

#include <cstdint>
#include <cstdlib>

#include "platform/runtime/path_resolver.h"
#include "platform/runtime/pointer_file.h"
#include "platform/runtime/runtime_error.h"

namespace tf::ui {

namespace {
// An animated GIF frame without a delay of its own shows this long, as
// browsers do.
constexpr int kDefaultGifDelayMs = 100;

uint32_t Byte(const std::string& bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }
uint32_t Le16(const std::string& b, size_t at) { return Byte(b, at) | Byte(b, at + 1) << 8; }
uint32_t Le32(const std::string& b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
uint32_t Be16(const std::string& b, size_t at) { return Byte(b, at) << 8 | Byte(b, at + 1); }
uint32_t Be32(const std::string& b, size_t at) { return Be16(b, at) << 16 | Be16(b, at + 2); }

bool StartsWith(const std::string& bytes, std::string_view prefix) {
  return bytes.compare(0, prefix.size(), prefix) == 0;
}

std::optional<PictureInfo> Sized(uint32_t width, uint32_t height) {
  if (width == 0 || height == 0 || width > 65535 || height > 65535) return std::nullopt;
  return PictureInfo{static_cast<int>(width), static_cast<int>(height), {0}};
}

std::optional<PictureInfo> ReadBmp(const std::string& b) {
  if (b.size() < 26) return std::nullopt;
  if (Le32(b, 14) == 12) return Sized(Le16(b, 18), Le16(b, 20));  // the old OS/2 header
  if (b.size() < 30) return std::nullopt;
  const auto width = static_cast<int32_t>(Le32(b, 18));
  const auto height = static_cast<int32_t>(Le32(b, 22));  // negative: stored top down
  if (width <= 0) return std::nullopt;
  return Sized(static_cast<uint32_t>(width), static_cast<uint32_t>(std::abs(int64_t{height})));
}

std::optional<PictureInfo> ReadPng(const std::string& b) {
  if (b.size() < 24 || b.compare(12, 4, "IHDR") != 0) return std::nullopt;
  return Sized(Be32(b, 16), Be32(b, 20));
}

// The size is in the first start-of-frame segment; every segment before it
// says its own length.
std::optional<PictureInfo> ReadJpeg(const std::string& b) {
  size_t at = 2;
  while (at + 4 <= b.size()) {
    if (Byte(b, at) != 0xFF) return std::nullopt;
    const uint32_t marker = Byte(b, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
      at += 2;
      continue;
    }
    const bool startOfFrame =
        marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (startOfFrame) {
      if (at + 9 > b.size()) return std::nullopt;
      return Sized(Be16(b, at + 7), Be16(b, at + 5));
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // end or scan before any frame
    at += 2 + Be16(b, at + 2);
  }
  return std::nullopt;
}

// Skips a chain of data sub-blocks; the position after its terminator, or
// npos when the chain runs past the end.
size_t SkipSubBlocks(const std::string& b, size_t at) {
  while (at < b.size()) {
    const uint32_t length = Byte(b, at);
    if (length == 0) return at + 1;
    at += 1 + length;
  }
  return std::string::npos;
}

size_t ColourTableSize(uint32_t flags) { return (flags & 0x80) ? 3u << ((flags & 7) + 1) : 0; }

// The logical screen's size, and the delay of each image in the file. A
// file cut short keeps the frames read before the cut.
std::optional<PictureInfo> ReadGif(const std::string& b) {
  if (b.size() < 13) return std::nullopt;
  std::optional<PictureInfo> info = Sized(Le16(b, 6), Le16(b, 8));
  if (!info) return std::nullopt;
  info->frameDelaysMs.clear();
  int delay = kDefaultGifDelayMs;
  size_t at = 13 + ColourTableSize(Byte(b, 10));
  while (at < b.size() && Byte(b, at) != 0x3B) {
    const uint32_t kind = Byte(b, at);
    if (kind == 0x21 && at + 1 < b.size()) {
      if (Byte(b, at + 1) == 0xF9 && at + 6 < b.size()) {
        const int centiseconds = static_cast<int>(Le16(b, at + 4));
        delay = centiseconds > 0 ? centiseconds * 10 : kDefaultGifDelayMs;
      }
      at = SkipSubBlocks(b, at + 2);
    } else if (kind == 0x2C && at + 10 < b.size()) {
      info->frameDelaysMs.push_back(delay);
      delay = kDefaultGifDelayMs;
      at = SkipSubBlocks(b, at + 10 + ColourTableSize(Byte(b, at + 9)) + 1);
    } else {
      break;
    }
  }
  if (info->frameDelaysMs.empty()) return std::nullopt;
  return info;
}

}  // namespace

std::optional<PictureInfo> ReadPictureInfo(const std::string& bytes) {
  if (StartsWith(bytes, "BM")) return ReadBmp(bytes);
  if (StartsWith(bytes, "\x89PNG\r\n\x1A\n")) return ReadPng(bytes);
  if (StartsWith(bytes, "\xFF\xD8")) return ReadJpeg(bytes);
  if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a")) return ReadGif(bytes);
  if (std::optional<PointerDirectory> pointer = ReadPointerDirectory(bytes)) {
    // The first picture of the file is the one shown.
    const PointerEntry& first = pointer->entries.front();
    return Sized(static_cast<uint32_t>(first.width), static_cast<uint32_t>(first.height));
  }
  return std::nullopt;
}

PictureInfo LoadPictureInfo(const std::string& storedPath) {
  std::optional<PictureInfo> info = ReadPictureInfo(ReadStoredFile(storedPath));
  if (!info) RaiseError(kErrInvalidPicture, storedPath);
  return *info;
}

}  // namespace tf::ui
