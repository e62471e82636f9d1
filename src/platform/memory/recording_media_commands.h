#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/media/media_commands.h"

namespace tf {

// Media devices in memory: records every command and keeps each opened
// alias's mode. An open succeeds when the quoted file exists; "Play" makes
// the device "playing" until Finish or "Stop"; "Close" forgets the alias, so
// that a later query answers empty.
class RecordingMediaCommands : public MediaCommands {
 public:
  static constexpr int32_t kFileNotFound = 275;
  static constexpr int32_t kUnknownDevice = 263;

  Reply Send(const std::string& command) override;
  int32_t ControlHandle(const ui::Control& control) override;

  // The device has played to its end.
  void Finish(const std::string& alias) { modes[alias] = "stopped"; }

  std::vector<std::string> commands;
  std::map<std::string, std::string> modes;
  // Answer of "Status A length" and "Status A position".
  std::string length = "0";
  std::string position = "0";

 private:
  std::vector<const ui::Control*> controls_;
};

}  // namespace tf
