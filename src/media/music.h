#pragma once

#include <cstdint>
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
// Lets events run until the video has stopped, a press asks to skip it or
// the game window closes; false when the window has closed since it counted
// `closings`.
bool WaitForMovie(Game& game, uint32_t closings);

}  // namespace tf
