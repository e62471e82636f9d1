#pragma once

#include <future>
#include <memory>

#include "platform/media/desktop_media.h"

namespace tf {

class VideoSurfaces;

// The desktop's sound and video, from the media module, which is loaded on a
// thread of its own: its sound libraries would otherwise load before the
// program starts and double its start. The mixer, the MP3 calls and the media
// commands given here stand in for the module's; a call waits for the loading.
// Without the module the program plays in silence: the mixer doesn't open,
// MP3s have no length and media commands fail.
class MediaModule {
 public:
  MediaModule(bool failMixer, VideoSurfaces& surfaces);
  ~MediaModule();
  MediaModule(const MediaModule&) = delete;
  MediaModule& operator=(const MediaModule&) = delete;

  WaveMixLibrary& WaveMix();
  std::shared_ptr<Mp3Library> Mp3() const;
  MediaCommands& Commands();
  // Closes every media device; the commands fail afterwards.
  void CloseCommands();

 private:
  class Mp3Calls;
  class WaveMixCalls;
  class Commands_;

  DesktopMedia* Media() const;

  std::shared_ptr<Mp3Calls> mp3_;
  std::unique_ptr<WaveMixCalls> waveMix_;
  std::unique_ptr<Commands_> commands_;
  std::shared_future<DesktopMedia*> loading_;
  bool commandsClosed_ = false;
};

}  // namespace tf
