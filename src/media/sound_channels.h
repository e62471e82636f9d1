#pragma once

#include <string>

namespace tf {

class Game;

// Stops MP3 music and makes the sound mixer, unless it is there already.
void EnsureWaveMix(Game& game);
// Destroys the sound mixer: every channel falls silent.
void ReleaseWaveMix(Game& game);
// Applies a sound-channels file (a missing file does nothing).
void PlaySoundChannels(Game& game, const std::string& FileName);

}  // namespace tf
