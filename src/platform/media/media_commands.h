#pragma once

#include <cstdint>
#include <string>

namespace tf {

namespace ui {
class Control;
}

// The media devices, driven by textual commands ("Open ...", "Play A",
// "Status A mode"): MIDI music, WAV sounds and videos.
class MediaCommands {
 public:
  struct Reply {
    // 0 on success, else an error number.
    int32_t result = 0;
    // A query's answer; empty for other commands.
    std::string answer;
  };

  virtual ~MediaCommands() = default;
  virtual Reply Send(const std::string& command) = 0;
  // The handle that names a control of the game window in an open command's
  // " parent N": a video opened so is shown inside that control.
  virtual int32_t ControlHandle(const ui::Control& control) = 0;
};

}  // namespace tf
