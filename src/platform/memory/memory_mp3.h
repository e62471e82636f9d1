#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/media/mp3_library.h"

namespace tf {

// MP3 calls without sound: every file is `lengthMs` long, and mp3play returns
// at once after noting the file, so an MP3 thread ends by itself.
class MemoryMp3 : public Mp3Library {
 public:
  double lengthMs = 0;

  double mp3gettime(const Mp3Record& request) override;
  void mp3play(const Mp3Record& request) override;
  void mp3stop() override;

  // Waits (at most a few seconds) until mp3play has been called `count`
  // times in all; false if it was not.
  bool WaitForPlays(size_t count);
  std::vector<std::string> Played() const;

 private:
  mutable std::mutex lock_;
  std::condition_variable played_;
  std::vector<std::string> paths_;
};

}  // namespace tf
