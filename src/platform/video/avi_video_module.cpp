#include "platform/video/avi_video_module.h"

#include "platform/runtime/program_module.h"

namespace tf {

namespace {
using OpenFunction = MediaDevice* (*)(AudioOutput&, const std::string&,
                                      const AviVideo::SurfaceMaker&);

OpenFunction LoadModule() {
  return reinterpret_cast<OpenFunction>(ProgramModuleSymbol(
      TF_AVI_VIDEO_MODULE_NAME, TF_AVI_VIDEO_MODULE_BUILT, "TfOpenAviVideo", false));
}
}  // namespace

std::unique_ptr<MediaDevice> OpenAviVideo(AudioOutput& output, const std::string& path,
                                          const AviVideo::SurfaceMaker& makeSurface) {
  static const OpenFunction open = LoadModule();
  return std::unique_ptr<MediaDevice>(open ? open(output, path, makeSurface) : nullptr);
}

}  // namespace tf
