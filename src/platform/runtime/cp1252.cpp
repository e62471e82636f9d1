#include "platform/runtime/cp1252.h"

#include <algorithm>
#include <iterator>

namespace tf {

namespace {

// Windows-1252 bytes 0x80-0x9F; the five undefined ones keep their code point.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// The code point of the UTF-8 sequence at `at`, advancing past it; nothing
// (and one byte on) for a byte that does not start a well-formed sequence.
std::optional<char32_t> DecodeUtf8(std::string_view text, size_t& at) {
  auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  int length = lead >= 0xC2 && lead <= 0xDF   ? 2
               : lead >= 0xE0 && lead <= 0xEF ? 3
               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                              : 0;
  if (length == 0 || at + length - 1 > text.size()) return std::nullopt;
  char32_t codePoint = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    auto next = static_cast<unsigned char>(text[at + i - 1]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
      (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return std::nullopt;
  }
  at += length - 1;
  return codePoint;
}

std::optional<char> Cp1252ByteOf(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<char>(codePoint);
  }
  const char32_t* found = std::find(std::begin(kCp1252High), std::end(kCp1252High), codePoint);
  if (found == std::end(kCp1252High)) return std::nullopt;
  return static_cast<char>(0x80 + (found - std::begin(kCp1252High)));
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (char byte : bytes) {
    auto code = static_cast<unsigned char>(byte);
    AppendUtf8(text, code >= 0x80 && code < 0xA0 ? kCp1252High[code - 0x80] : code);
  }
  return text;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string bytes;
  for (size_t at = 0; at < utf8.size();) {
    std::optional<char32_t> codePoint = DecodeUtf8(utf8, at);
    std::optional<char> byte = codePoint ? Cp1252ByteOf(*codePoint) : std::nullopt;
    if (!byte) return std::nullopt;
    bytes += *byte;
  }
  return bytes;
}

std::string Utf8ToCp1252Lossy(std::string_view utf8) {
  std::string bytes;
  for (size_t at = 0; at < utf8.size();) {
    std::optional<char32_t> codePoint = DecodeUtf8(utf8, at);
    bytes += codePoint ? Cp1252ByteOf(*codePoint).value_or('?') : '?';
  }
  return bytes;
}

std::string Utf8Lossy(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) AppendUtf8(text, DecodeUtf8(bytes, at).value_or(0xFFFD));
  return text;
}

}  // namespace tf
