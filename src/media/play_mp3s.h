#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/platform.h"

namespace tf {

class Game;

// What the user-interface thread shares with the MP3 threads. A thread keeps
// it alive; it reaches the clock and the trace only while the game lives.
struct Mp3Shared {
  // Whole seconds of the current MP3; 0 when none is current.
  std::atomic<int16_t> MP3LengthSeconds{0};
  // The clock's time at which it was requested or started.
  std::atomic<int64_t> MP3StartTime{0};
  // StopMP3 calls so far. A stop supersedes every request made before it: a
  // thread started before it neither sets the length nor plays.
  std::atomic<uint64_t> stops{0};

  // Held while a thread looks at the stops and sets the length, while
  // StopMP3 counts a stop, and for the clock and the trace, which are both
  // null once the game is gone.
  std::mutex lock;
  const Clock* clock = nullptr;
  TraceSink* trace = nullptr;
  // Paths in the trace are shown after this folder's system name.
  std::string projectPath;
};

// The MP3 module's state.
class PlayMP3s {
 public:
  PlayMP3s(const Platform& platform, std::string projectPath);
  // Threads that still play run on without the game.
  ~PlayMP3s();
  PlayMP3s(const PlayMP3s&) = delete;
  PlayMP3s& operator=(const PlayMP3s&) = delete;

  // Filled at each MP3Timer tick; every thread takes its own copy.
  Mp3Record MP3Request;
  const std::shared_ptr<Mp3Shared> shared = std::make_shared<Mp3Shared>();
};

// Releases the sound mixer, stops any MP3 and starts `path` through MP3Timer
// about one second later.
void RequestMP3(Game& game, const std::string& path);
void MP3Timer_Timer(Game& game);
void StartMP3Thread(Game& game);
// The MP3 thread's body; `stopsBefore` is the count of stops when it was
// started.
void MP3ThreadProc(const std::shared_ptr<Mp3Shared>& shared,
                   const std::shared_ptr<Mp3Library>& library, const Mp3Record& request,
                   uint64_t stopsBefore);
void StopMP3(Game& game);
// True from the request until the music's length and five seconds more have
// passed, or until StopMP3.
bool MP3IsPlaying(const Game& game);

}  // namespace tf
