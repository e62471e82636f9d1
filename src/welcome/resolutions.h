#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "startup/project.h"

namespace tf {

// Resolutions: the screen size and the display mode. The desktop's own mode
// is never changed: a mode is a virtual screen of that size, shown scaled.

// Screen size in pixels (the virtual mode's while one is on); 0 when it
// can't be read.
int32_t GetScreenWidth(const Platform& platform);
int32_t GetScreenHeight(const Platform& platform);

// Gives the game a screen of the given size (the desktop's own size leaves
// the virtual mode); a mode that can't be had is told in a message box.
void ChangeDisplayMode(const Platform& platform, const ProjectInformation& info, int32_t width,
                       int32_t height);

}  // namespace tf
