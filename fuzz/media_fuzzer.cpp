// Fuzz targets for sound, music and video files: the input is opened by the
// media back end the game's commands reach, on SDL's silent audio driver.

#include <cstdlib>
#include <memory>

#include "fuzz_target.h"
#include "platform/audio/audio_output.h"
#include "platform/audio/sdl_mp3.h"
#include "platform/audio/sdl_wave_mix.h"
#include "platform/video/media_devices.h"
#include "scratch_project.h"

namespace tf::fuzz {
namespace {

class NoSurfaces : public VideoSurfaces {
 public:
  int32_t ControlHandle(const ui::Control&) override { return 0; }
  std::unique_ptr<VideoSurface> Open(int32_t, int, int) override { return nullptr; }
};

struct MediaBackEnd {
  MediaBackEnd() {
    output.Open();
    session = waveMix.WaveMixConfigureInit({});
  }

  bool silent = (setenv("SDL_AUDIODRIVER", "dummy", 0), true);
  AudioOutput output;
  NoSurfaces surfaces;
  MediaDevices devices{output, surfaces};
  SdlWaveMix waveMix{output, false};
  SdlMp3 mp3{output};
  uint32_t session = 0;
};

// Opens the file on a device of that type, asks its length, starts and
// closes it.
void OpenAndPlay(MediaDevices& devices, const std::string& path, const std::string& type) {
  if (devices.Send("open \"" + path + "\" type " + type + " alias fuzz").result != 0) return;
  devices.Send("status fuzz length");
  devices.Send("play fuzz");
  devices.Send("close fuzz");
}

}  // namespace

int RunMediaTarget(const std::string& name, const uint8_t* data, size_t size) {
  static const ScratchProject project({});
  static MediaBackEnd media;
  const std::string path = project.Folder() + "input." + name;
  project.Write("input." + name, data, size);
  if (name == "wav") {
    if (uint32_t wave = media.waveMix.WaveMixOpenWave(media.session, path, 0, 0))
      media.waveMix.WaveMixFreeWave(media.session, wave);
    OpenAndPlay(media.devices, path, "waveaudio");
  } else if (name == "mid") {
    OpenAndPlay(media.devices, path, "sequencer");
  } else if (name == "mp3") {
    media.mp3.Calls()->mp3gettime({path});
  } else {
    OpenAndPlay(media.devices, path, "avivideo");
  }
  return 0;
}

}  // namespace tf::fuzz
