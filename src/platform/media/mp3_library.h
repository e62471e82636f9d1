#pragma once

#include <functional>
#include <string>

namespace tf {

// The record handed to every MP3 call: the file's path as the game stores it.
struct Mp3Record {
  std::string path;
};

// MP3 music on one music stream. Called from the user-interface thread and
// from the MP3 threads, possibly at the same time.
class Mp3Library {
 public:
  virtual ~Mp3Library() = default;
  // The length of the music in milliseconds; 0 when it can't be read.
  virtual double mp3gettime(const Mp3Record& request) = 0;
  // Plays the music, replacing any that plays, and returns when it has ended
  // or mp3stop silenced it. `wanted` is asked once, before the music starts,
  // and no mp3stop comes between its answer and the start: when it answers
  // false nothing plays, and a stop made after a true answer silences this
  // music.
  virtual void mp3play(const Mp3Record& request, const std::function<bool()>& wanted) = 0;
  // Silences the music; harmless when none plays.
  virtual void mp3stop() = 0;
};

}  // namespace tf
