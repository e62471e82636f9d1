#include "media/mmedia.h"

#include <charconv>
#include <chrono>
#include <ctime>
#include <random>

#include "platform/platform.h"
#include "platform/runtime/case_fold.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/val.h"

namespace tf {

namespace {
constexpr int32_t kNoMediaDevice = 263;
constexpr int kLongestVideoAlias = 50;

std::string DeviceType(const std::string& file) {
  std::string extension = FoldCase(file.size() >= 3 ? file.substr(file.size() - 3) : file);
  if (extension == "wav") return "Waveaudio";
  if (extension == "mid") return "Sequencer";
  return {};
}

int MinuteNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_min;
}

// Seeded afresh from the time of day (milliseconds since midnight).
int RandomVideoAlias() {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  std::mt19937 random(static_cast<unsigned>(
      (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 1000 + ms.count()));
  return std::uniform_int_distribution<int>(1, kLongestVideoAlias)(random);
}

std::string DecimalText(float value) {
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }
}  // namespace

int32_t Mmedia::Send(const std::string& command) {
  MediaCommands::Reply reply =
      platform_.media ? platform_.media->Send(command) : MediaCommands::Reply{kNoMediaDevice, {}};
  Trace(command, reply.result, nullptr);
  return reply.result;
}

std::string Mmedia::Query(const std::string& command) {
  MediaCommands::Reply reply =
      platform_.media ? platform_.media->Send(command) : MediaCommands::Reply{kNoMediaDevice, {}};
  // The answer buffer holds 255 characters up to the first zero.
  std::string answer = reply.answer.substr(0, std::min(reply.answer.find('\0'), size_t{255}));
  Trace(command, reply.result, &answer);
  return answer;
}

// The command and the answer are the game's 8-bit text around the project
// folder's system name; the trace is UTF-8.
void Mmedia::Trace(const std::string& command, int32_t result, const std::string* answer) const {
  if (!platform_.trace) return;
  std::string line = "mci " + TraceText(command, projectPath_) + " -> " + std::to_string(result);
  if (answer) line += " " + Quote(TraceText(*answer, projectPath_));
  platform_.Trace(line);
}

float Mmedia::NumberQuery(const std::string& item) {
  if (alias_.empty()) return 0;
  return static_cast<float>(Val(Query("Status " + alias_ + " " + item)));
}

void Mmedia::mmOpen(const std::string& sTheFile) {
  if (!alias_.empty()) mmClose();
  std::string type = DeviceType(sTheFile);
  if (type.empty()) return;
  alias_ = sTheFile.substr(sTheFile.size() - 3) + std::to_string(MinuteNow());
  fileName_ = sTheFile;
  Send("Open " + Quote(sTheFile) + " ALIAS " + alias_ + " TYPE " + type + " wait");
}

void Mmedia::mmClose() {
  if (alias_.empty()) return;
  Send("Close " + alias_);
  alias_.clear();
  fileName_.clear();
}

void Mmedia::mmPause() {
  if (!alias_.empty()) Send("Pause " + alias_);
}

void Mmedia::mmPlay() {
  if (!alias_.empty()) Send("Play " + alias_ + (wait_ ? " wait" : ""));
}

void Mmedia::mmStop() {
  if (!alias_.empty()) Send("Stop " + alias_);
}

void Mmedia::mmSeek(float nPosition) { Send("Seek " + alias_ + " to " + DecimalText(nPosition)); }

float Mmedia::Length() { return NumberQuery("length"); }

float Mmedia::Position() { return NumberQuery("position"); }

std::string Mmedia::Status() { return Query("Status " + alias_ + " mode"); }

void Mmedia::StopMovie() {
  Send("Stop " + alias_);
  Send("Close " + alias_);
  platform_.events.ProcessPendingEvents();
}

void Mmedia::PlayMovie(std::string& path, const ui::Control& where) {
  path = Quote(path);
  alias_ = std::to_string(RandomVideoAlias());
  int32_t handle = platform_.media ? platform_.media->ControlHandle(where) : 0;
  int32_t result = Send("Open " + path + " ALIAS " + alias_ + " TYPE AviVideo wait" + " parent " +
                        std::to_string(handle) + " style child");
  if (result != 0) {
    platform_.messages.Show("Unable to play video. Probably file not found ('" + path + "').",
                            ui::MessageButtons::Ok, ui::MessageIcon::Information, gameTitle_);
  }
  Send("play " + alias_);
}

}  // namespace tf
