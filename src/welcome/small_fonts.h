#pragma once

#include "platform/platform.h"

namespace tf {

// SmallFontsModule: false when the desktop's standard text is drawn taller
// than 16 pixels (large fonts); true otherwise, and when it can't be measured.
bool HasSmallFonts(const Platform& platform);

}  // namespace tf
