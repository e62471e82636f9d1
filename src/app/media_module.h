#pragma once

#include <memory>

#include "platform/media/desktop_media.h"

namespace tf {

class VideoSurfaces;

// The desktop's sound and video, from the media module, which is loaded on a
// thread of its own once the program has started: its sound libraries would
// otherwise load before the program and double its start, and a library
// loading on another thread holds up Qt's own plugins while it lasts. The
// mixer, the MP3 calls and the media commands given here stand in for the
// module's; a call waits for the loading, or does it if it hasn't begun.
// Without the module the program plays in silence: the mixer doesn't open,
// MP3s have no length and media commands fail.
class MediaModule {
 public:
  MediaModule(bool failMixer, VideoSurfaces& surfaces);
  ~MediaModule();
  MediaModule(const MediaModule&) = delete;
  MediaModule& operator=(const MediaModule&) = delete;

  // Begins loading the module on its own thread; only the first call counts.
  void StartLoading();

  WaveMixLibrary& WaveMix();
  std::shared_ptr<Mp3Library> Mp3() const;
  MediaCommands& Commands();
  // Closes every media device; the commands fail afterwards.
  void CloseCommands();

 private:
  class Loader;
  class Mp3Calls;
  class WaveMixCalls;
  class Commands_;

  DesktopMedia* Media() const;

  std::shared_ptr<Loader> loader_;
  std::shared_ptr<Mp3Calls> mp3_;
  std::unique_ptr<WaveMixCalls> waveMix_;
  std::unique_ptr<Commands_> commands_;
  bool commandsClosed_ = false;
};

}  // namespace tf
