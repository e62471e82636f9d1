#pragma once

#include <cstdint>
#include <string>

namespace tf {

struct Platform;
namespace ui {
class Control;
}

// One media device driven by command strings: MIDI music, a WAV sound or a
// video. Every command goes to the device by the alias this object gave it.
class Mmedia {
 public:
  // `gameTitle` titles the message of a video that can't be opened; paths in
  // the commands begin with `projectPath`, a system name.
  Mmedia(const Platform& platform, const std::string& gameTitle, const std::string& projectPath)
      : platform_(platform), gameTitle_(gameTitle), projectPath_(projectPath) {}

  // Closes what is open, then opens a .WAV or .MID file; any other file
  // leaves the object closed.
  void mmOpen(const std::string& sTheFile);
  void mmClose();
  void mmPause();
  void mmPlay();
  void mmStop();
  void mmSeek(float nPosition);

  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& file) { mmOpen(file); }
  bool Wait() const { return wait_ != 0; }
  void SetWait(bool bWaitValue) { wait_ = bWaitValue ? -1 : 0; }
  // In the device's time unit; 0 when nothing is open.
  float Length();
  float Position();
  void SetPosition(float nPosition) { mmSeek(nPosition); }
  // "playing", "stopped", ...; empty when no device answers.
  std::string Status();
  const std::string& Alias() const { return alias_; }

  // Stops and closes the video; the alias stays, so later queries answer
  // empty.
  void StopMovie();
  // Opens the video as a child of `where` and plays it without waiting.
  // `path` becomes its quoted form.
  void PlayMovie(std::string& path, const ui::Control& where);

 private:
  // Sends a command and writes it to the trace; a query's answer is written
  // too.
  int32_t Send(const std::string& command);
  void Trace(const std::string& command, int32_t result, const std::string* answer) const;
  std::string Query(const std::string& command);
  float NumberQuery(const std::string& item);

  const Platform& platform_;
  const std::string& gameTitle_;
  const std::string& projectPath_;
  std::string alias_;
  std::string fileName_;
  int16_t wait_ = 0;
};

}  // namespace tf
