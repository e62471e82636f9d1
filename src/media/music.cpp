#include "media/music.h"

namespace tf {

// MIDI music and videos are not played yet: these only keep the frame
// operations' order of calls in place.
void PlayMIDImusic(Game&, const std::string&) {}
void PlayMovieWithStop(Game&, const std::string&, ui::Container&) {}
bool PlayingMovieOrNot(const Game&) { return false; }

}  // namespace tf
