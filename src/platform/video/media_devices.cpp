#include "platform/video/media_devices.h"

#include <charconv>
#include <cstdio>
#include <thread>

#include "platform/audio/midi_sequencer.h"
#include "platform/audio/wave_sound.h"
#include "platform/runtime/case_fold.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/video/avi_video_module.h"

namespace tf {

namespace {
constexpr auto kPlayWaitRecheck = std::chrono::milliseconds(20);

// Words separated by blanks; a word in double quotes may hold blanks.
std::vector<std::string> Words(const std::string& command) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < command.size()) {
    if (command[i] == ' ' || command[i] == '\t') {
      ++i;
    } else if (command[i] == '"') {
      size_t end = command.find('"', i + 1);
      if (end == std::string::npos) end = command.size();
      words.push_back(command.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      size_t end = command.find_first_of(" \t", i);
      if (end == std::string::npos) end = command.size();
      words.push_back(command.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

// The word after `keyword`, or empty when there is none.
std::string ValueOf(const std::vector<std::string>& words, const std::string& keyword) {
  for (size_t i = 2; i + 1 < words.size(); ++i)
    if (FoldCase(words[i]) == keyword) return words[i + 1];
  return {};
}

bool HasWord(const std::vector<std::string>& words, const std::string& keyword) {
  for (size_t i = 2; i < words.size(); ++i)
    if (FoldCase(words[i]) == keyword) return true;
  return false;
}

std::string NumberAnswer(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}
}  // namespace

MediaDevices::MediaDevices(AudioOutput& output, VideoSurfaces& surfaces)
    : output_(output), surfaces_(surfaces) {}

MediaDevices::~MediaDevices() { devices_.clear(); }

MediaCommands::Reply MediaDevices::Send(const std::string& command) {
  std::vector<std::string> words = Words(command);
  if (words.empty()) return {kUnrecognizedCommand, {}};
  const std::string verb = FoldCase(words[0]);
  if (verb == "open") return OpenDevice(words);
  if (words.size() < 2) return {kMissingParameter, {}};
  auto found = devices_.find(FoldCase(words[1]));
  if (found == devices_.end()) return {kUnknownDevice, {}};
  if (verb == "close") {
    devices_.erase(found);
    return {};
  }
  return Command(*found->second, verb, words);
}

MediaCommands::Reply MediaDevices::Command(MediaDevice& device, const std::string& verb,
                                           const std::vector<std::string>& words) {
  if (verb == "play") {
    device.Play();
    if (HasWord(words, "wait"))
      while (device.Mode() == "playing") std::this_thread::sleep_for(kPlayWaitRecheck);
    return {};
  }
  if (verb == "pause") {
    device.Pause();
    return {};
  }
  if (verb == "stop") {
    device.Stop();
    return {};
  }
  if (verb == "seek") {
    std::string to = ValueOf(words, "to");
    double position = 0;
    if (to.empty()) return {kMissingParameter, {}};
    if (FoldCase(to) != "start" &&
        std::from_chars(to.data(), to.data() + to.size(), position).ec != std::errc())
      return {kMissingParameter, {}};
    return {device.Seek(position) ? 0 : kUnsupportedFunction, {}};
  }
  if (verb == "status") {
    if (words.size() < 3) return {kMissingParameter, {}};
    const std::string item = FoldCase(words[2]);
    if (item == "mode") return {0, device.Mode()};
    if (item == "length") return {0, NumberAnswer(device.Length())};
    if (item == "position") return {0, NumberAnswer(device.Position())};
    return {kUnsupportedFunction, {}};
  }
  return {kUnrecognizedCommand, {}};
}

MediaCommands::Reply MediaDevices::OpenDevice(const std::vector<std::string>& words) {
  if (words.size() < 2) return {kMissingParameter, {}};
  const std::string& file = words[1];
  std::string alias = FoldCase(ValueOf(words, "alias"));
  if (alias.empty()) alias = FoldCase(file);
  if (devices_.count(alias)) return {kDuplicateAlias, {}};
  int32_t result = 0;
  std::unique_ptr<MediaDevice> device =
      MakeDevice(FoldCase(ValueOf(words, "type")), file, ValueOf(words, "parent"), result);
  if (!device) return {result, {}};
  devices_.emplace(alias, std::move(device));
  return {};
}

std::unique_ptr<MediaDevice> MediaDevices::MakeDevice(const std::string& type,
                                                      const std::string& file,
                                                      const std::string& parent, int32_t& result) {
  if (type != "sequencer" && type != "waveaudio" && type != "avivideo") {
    result = kUnknownDeviceType;
    return nullptr;
  }
  if (!StoredFileExists(file)) {
    result = kFileNotFound;
    return nullptr;
  }
  result = kInvalidFile;
  if (type == "avivideo") {
    int32_t handle = 0;
    std::from_chars(parent.data(), parent.data() + parent.size(), handle);
    AviVideo::SurfaceMaker makeSurface;
    if (handle != 0)
      makeSurface = [this, handle](int width, int height) {
        return surfaces_.Open(handle, width, height);
      };
    return OpenAviVideo(output_, ResolvePath(file), makeSurface);
  }
  std::string data;
  try {
    data = ReadStoredFile(file);
  } catch (const RuntimeError&) {
    result = kFileNotFound;
    return nullptr;
  }
  if (type == "waveaudio") return WaveSound::Open(output_, std::move(data));
  if (!synth_) synth_ = std::make_unique<MidiSynth>(output_);
  return MidiSequencer::Open(*synth_, std::move(data));
}

}  // namespace tf
