#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/media_device.h"
#include "platform/media/media_commands.h"
#include "platform/video/video_surface.h"

namespace tf {

class AudioOutput;
class MidiSynth;

// The media command strings on this desktop: "Sequencer" plays MIDI on
// FluidSynth, "Waveaudio" WAV files, "AviVideo" videos through FFmpeg, each
// into the one audio output. Devices are named by their aliases, in any
// letter case.
class MediaDevices : public MediaCommands {
 public:
  // Error numbers of the commands.
  static constexpr int32_t kUnrecognizedCommand = 261;
  static constexpr int32_t kUnknownDevice = 263;
  static constexpr int32_t kMissingParameter = 273;
  static constexpr int32_t kUnsupportedFunction = 274;
  static constexpr int32_t kFileNotFound = 275;
  static constexpr int32_t kUnknownDeviceType = 277;
  static constexpr int32_t kDuplicateAlias = 289;
  static constexpr int32_t kInvalidFile = 296;

  MediaDevices(AudioOutput& output, VideoSurfaces& surfaces);
  ~MediaDevices() override;

  Reply Send(const std::string& command) override;
  int32_t ControlHandle(const ui::Control& control) override {
    return surfaces_.ControlHandle(control);
  }

 private:
  Reply OpenDevice(const std::vector<std::string>& words);
  std::unique_ptr<MediaDevice> MakeDevice(const std::string& type, const std::string& file,
                                          const std::string& parent, int32_t& result);
  Reply Command(MediaDevice& device, const std::string& verb,
                const std::vector<std::string>& words);

  AudioOutput& output_;
  VideoSurfaces& surfaces_;
  std::unique_ptr<MidiSynth> synth_;
  // By alias in lower case.
  std::map<std::string, std::unique_ptr<MediaDevice>> devices_;
};

}  // namespace tf
