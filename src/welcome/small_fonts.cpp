#include "welcome/small_fonts.h"

#include <exception>

namespace tf {

bool HasSmallFonts(const Platform& platform) {
  try {
    const std::optional<int> height = platform.display.SystemFontHeight();
    if (!height) return true;
    // Only the low 16 bits of the character height count.
    return static_cast<int16_t>(*height & 0xFFFF) <= 16;
  } catch (const std::exception&) {
    return true;
  }
}

}  // namespace tf
