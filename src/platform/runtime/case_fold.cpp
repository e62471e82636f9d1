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

}  // namespace tf
