#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "platform/media/mp3_library.h"

namespace tf {

// MP3 calls without sound: every file is `lengthMs` long, and mp3play returns
// at once after noting the file (when it is still wanted), so an MP3 thread
// ends by itself.
class MemoryMp3 : public Mp3Library {
 public:
  double lengthMs = 0;

  double mp3gettime(const Mp3Record& request) override;
  void mp3play(const Mp3Record& request, const std::function<bool()>& wanted) override;
  void mp3stop() override;

  // A call of a held kind waits on entry until its kind is released, so a
  // test can act while an MP3 thread is inside it.
  enum class Call { Length, Play };
  void Hold(Call call);
  void Release(Call call);
  // Waits (at most a few seconds) until `count` calls of that kind have
  // begun in all; false if they did not.
  bool WaitForCalls(Call call, size_t count);

  // Waits (at most a few seconds) until mp3play has played `count` files in
  // all; false if it did not.
  bool WaitForPlays(size_t count);
  std::vector<std::string> Played() const;

 private:
  struct Gate {
    bool held = false;
    size_t begun = 0;
  };
  Gate& GateOf(Call call) { return call == Call::Length ? lengths_ : plays_; }
  void Enter(Call call);

  mutable std::mutex lock_;
  std::condition_variable changed_;
  Gate lengths_;
  Gate plays_;
  std::vector<std::string> paths_;
};

}  // namespace tf
