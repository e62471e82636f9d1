#include "media/music.h"

namespace tf {

// MP3 music and sounds are not played yet: these only keep the frame
// operations' order of calls in place.
bool MP3IsPlaying(const Game&) { return false; }
void StopMP3(Game&) {}
void RequestMP3(Game&, const std::string&) {}
void PlaySoundChannels(Game&, const std::string&) {}

}  // namespace tf
