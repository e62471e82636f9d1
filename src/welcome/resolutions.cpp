#include "welcome/resolutions.h"

#include <exception>

#include "platform/runtime/runtime_error.h"

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

void ChangeDisplayMode(const Platform& platform, const ProjectInformation& info, int32_t width,
                       int32_t height) {
  IgnoringErrors([&] { platform.events.ProcessPendingEvents(); });
  int result = Display::kModeRefused;
  try {
    result = platform.display.ChangeMode(width, height);
  } catch (const std::exception&) {
  }
  platform.Trace("display ChangeDisplaySettings " + std::to_string(width) + " " +
                 std::to_string(height) + " -> " + std::to_string(result));
  IgnoringErrors([&] { platform.events.ProcessPendingEvents(); });
  // 1 would be "changed, after a restart": taken as done.
  if (result != Display::kModeChanged && result != 1)
    platform.messages.Show("Unable to change display resolution. Mode not supported",
                           ui::MessageButtons::Ok, ui::MessageIcon::Information, info.GameTitle);
}

}  // namespace tf
