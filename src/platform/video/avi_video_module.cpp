#include "platform/video/avi_video_module.h"

#include <dlfcn.h>

#include <filesystem>

namespace tf {

namespace {
using OpenFunction = MediaDevice* (*)(AudioOutput&, const std::string&,
                                      const AviVideo::SurfaceMaker&);

// Beside the program, else where the build put it.
OpenFunction LoadModule() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  for (const std::filesystem::path& file : {program.parent_path() / TF_AVI_VIDEO_MODULE_NAME,
                                            std::filesystem::path(TF_AVI_VIDEO_MODULE_BUILT)}) {
    if (void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL))
      return reinterpret_cast<OpenFunction>(dlsym(module, "TfOpenAviVideo"));
  }
  return nullptr;
}
}  // namespace

std::unique_ptr<MediaDevice> OpenAviVideo(AudioOutput& output, const std::string& path,
                                          const AviVideo::SurfaceMaker& makeSurface) {
  static const OpenFunction open = LoadModule();
  return std::unique_ptr<MediaDevice>(open ? open(output, path, makeSurface) : nullptr);
}

}  // namespace tf
