#include "welcome/resolutions.h"

#include <exception>

namespace tf {

int32_t GetScreenWidth(const Platform& platform) {
  try {
    return platform.display.ScreenWidth();
  } catch (const std::exception&) {
    return 0;
  }
}

int32_t GetScreenHeight(const Platform& platform) {
  try {
    return platform.display.ScreenHeight();
  } catch (const std::exception&) {
    return 0;
  }
}

void ChangeDisplayMode(const Platform&, const ProjectInformation&, int32_t, int32_t) {
  // Does nothing until the virtual 640 x 480 screen exists.
}

}  // namespace tf
