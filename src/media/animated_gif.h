#pragma once

#include <cstdint>
#include <string>

namespace tf {

class Game;

// Creates the picture box and animated picture of that index at x, y
// (twips), loads and starts the file. Returns the index, or 0 when nothing
// was made (empty file name, index below 1). Errors of making the pair reach
// the caller.
int16_t AniGifNewWithIndex(Game& game, int16_t newIndex, const std::string& fileName, int16_t x,
                           int16_t y, int16_t speed);
// Loads a file into an existing pair and sizes the box to the picture; an
// empty file name removes the pair.
void AniGifUpdate(Game& game, int16_t index, const std::string& fileName, int16_t speed);
// Stopping and restarting an animation, as the area rules do.
void AniGifStop(Game& game, int index);
void AniGifStart(Game& game, int index);

}  // namespace tf
