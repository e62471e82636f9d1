#include "platform/runtime/case_fold.h"

namespace tf {

char FoldCase(char c) {
  auto byte = static_cast<unsigned char>(c);
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
    return static_cast<char>(byte + 0x20);
  }
  if (byte == 0x8A || byte == 0x8C || byte == 0x8E) {
    return static_cast<char>(byte + 0x10);
  }
  return byte == 0x9F ? static_cast<char>(0xFF) : c;
}

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    c = FoldCase(c);
  }
  return folded;
}

bool EqualsFolded(std::string_view text, std::string_view folded) {
  if (text.size() != folded.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (FoldCase(text[i]) != folded[i]) return false;
  return true;
}

}  // namespace tf
