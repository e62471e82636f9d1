#include "media/music.h"

namespace tf {

// Music, videos and sounds are not played yet: these only keep the frame
// operations' order of calls in place.
void PlayMIDImusic(Game&, const std::string&) {}
void PlayMovieWithStop(Game&, const std::string&, ui::Container&) {}
bool PlayingMovieOrNot(const Game&) { return false; }
bool MP3IsPlaying(const Game&) { return false; }
void StopMP3(Game&) {}
void RequestMP3(Game&, const std::string&) {}
void PlaySoundChannels(Game&, const std::string&) {}

}  // namespace tf
