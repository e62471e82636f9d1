#pragma once

namespace tf {

class Game;

// Tells the platform which pictures the frame being opened is about to load
// (its background and its still areas' pictures), so that it may read and
// decode them ahead. What loading them shows or reports stays the same.
void PrefetchFramePictures(Game& game);

}  // namespace tf
