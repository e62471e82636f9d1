#pragma once

#include <memory>
#include <string>

#include "platform/video/avi_video.h"

namespace tf {

// Opens a video through the AviVideo module, which brings FFmpeg's libraries
// with the first video rather than with the program's start. Null when the
// file can't be played or the module can't be loaded.
std::unique_ptr<MediaDevice> OpenAviVideo(AudioOutput& output, const std::string& path,
                                          const AviVideo::SurfaceMaker& makeSurface);

}  // namespace tf
