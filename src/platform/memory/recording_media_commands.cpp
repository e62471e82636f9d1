#include "platform/memory/recording_media_commands.h"

#include <algorithm>
#include <sstream>

#include "platform/runtime/case_fold.h"
#include "platform/runtime/path_resolver.h"

namespace tf {

namespace {
// The quoted file of an open command.
std::string QuotedFile(const std::string& command) {
  size_t first = command.find('"');
  size_t last = command.find('"', first + 1);
  if (first == std::string::npos || last == std::string::npos) return {};
  return command.substr(first + 1, last - first - 1);
}

// The word after `keyword` (compared without regard to case), or empty.
std::string WordAfter(const std::vector<std::string>& words, const std::string& keyword) {
  for (size_t i = 0; i + 1 < words.size(); ++i)
    if (FoldCase(words[i]) == keyword) return words[i + 1];
  return {};
}
}  // namespace

MediaCommands::Reply RecordingMediaCommands::Send(const std::string& command) {
  commands.push_back(command);
  std::istringstream in(command);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  if (words.empty()) return {kUnknownDevice, {}};
  const std::string verb = FoldCase(words[0]);
  if (verb == "open") {
    if (!StoredFileExists(QuotedFile(command))) return {kFileNotFound, {}};
    modes[WordAfter(words, "alias")] = "stopped";
    return {};
  }
  // "Status  mode" has an empty alias: the mode word stands where it would.
  auto device = words.size() > 1 ? modes.find(words[1]) : modes.end();
  if (device == modes.end()) return {kUnknownDevice, {}};
  if (verb == "play") device->second = "playing";
  if (verb == "pause") device->second = "paused";
  if (verb == "stop") device->second = "stopped";
  if (verb == "close") modes.erase(device);
  if (verb != "status" || words.size() < 3) return {};
  const std::string item = FoldCase(words[2]);
  if (item == "mode") return {0, device->second};
  return {0, item == "length" ? length : position};
}

int32_t RecordingMediaCommands::ControlHandle(const ui::Control& control) {
  auto found = std::find(controls_.begin(), controls_.end(), &control);
  if (found == controls_.end()) found = controls_.insert(controls_.end(), &control);
  return static_cast<int32_t>(found - controls_.begin()) + 1;
}

}  // namespace tf
