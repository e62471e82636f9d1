#pragma once

#include <memory>

#include "platform/media/media_commands.h"
#include "platform/media/mp3_library.h"
#include "platform/media/wave_mix_library.h"

namespace tf {

class VideoSurfaces;

// The desktop's sound and video as one object: the channel mixer, the MP3
// calls and the media commands over one audio output. The media module makes
// it (TfMakeDesktopMedia), so that the sound libraries load beside the
// program's start instead of before it.
class DesktopMedia {
 public:
  virtual ~DesktopMedia() = default;
  virtual WaveMixLibrary& WaveMix() = 0;
  virtual std::shared_ptr<Mp3Library> Mp3() = 0;
  virtual MediaCommands& Commands() = 0;
  // Closes every media device (videos show in the game's windows, so this
  // comes before those go); the commands are not used afterwards.
  virtual void CloseCommands() = 0;
};

// The module's entry point: `failMixer` simulates a mixer that can't open.
using MakeDesktopMediaFunction = DesktopMedia* (*)(bool failMixer, VideoSurfaces& surfaces);
inline constexpr const char* kMakeDesktopMediaName = "TfMakeDesktopMedia";

}  // namespace tf
