#pragma once

#include <string>

namespace tf {

class Game;
namespace ui {
class Container;
}

// MIDI music, started without waiting.
void PlayMIDImusic(Game& game, const std::string& path);
// A video inside a control of the game screen, started without waiting.
void PlayMovieWithStop(Game& game, const std::string& path, ui::Container& surface);
// True while a video plays.
bool PlayingMovieOrNot(const Game& game);
bool MP3IsPlaying(const Game& game);
void StopMP3(Game& game);
// Starts an MP3 about one second later, through MP3Timer.
void RequestMP3(Game& game, const std::string& path);
// Plays the sounds of a sound-channels file.
void PlaySoundChannels(Game& game, const std::string& path);

}  // namespace tf
