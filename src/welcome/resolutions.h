#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "startup/project.h"

namespace tf {

// Desktop size in pixels; 0 when it can't be read.
int32_t GetScreenWidth(const Platform& platform);
int32_t GetScreenHeight(const Platform& platform);

// Puts the game into a display mode of the given size.
void ChangeDisplayMode(const Platform& platform, const ProjectInformation& info, int32_t width,
                       int32_t height);

}  // namespace tf
