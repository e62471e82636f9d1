// The media module's entry: the desktop's sound and video on SDL, SDL_mixer,
// FluidSynth and FFmpeg.

#include <memory>

#include "platform/audio/audio_output.h"
#include "platform/audio/sdl_mp3.h"
#include "platform/audio/sdl_wave_mix.h"
#include "platform/media/desktop_media.h"
#include "platform/video/media_devices.h"

namespace tf {
namespace {

class SdlDesktopMedia : public DesktopMedia {
 public:
  SdlDesktopMedia(bool failMixer, VideoSurfaces& surfaces)
      : waveMix_((audio_.PrepareInBackground(), audio_), failMixer),
        mp3_(audio_),
        commands_(std::make_unique<MediaDevices>(audio_, surfaces)) {}

  WaveMixLibrary& WaveMix() override { return waveMix_; }
  std::shared_ptr<Mp3Library> Mp3() override { return mp3_.Calls(); }
  MediaCommands& Commands() override { return *commands_; }
  void CloseCommands() override { commands_.reset(); }

 private:
  AudioOutput audio_;
  SdlWaveMix waveMix_;
  SdlMp3 mp3_;
  std::unique_ptr<MediaDevices> commands_;
};

}  // namespace
}  // namespace tf

extern "C" tf::DesktopMedia* TfMakeDesktopMedia(bool failMixer, tf::VideoSurfaces& surfaces) {
  return new tf::SdlDesktopMedia(failMixer, surfaces);
}
