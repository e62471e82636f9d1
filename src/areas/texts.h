#pragma once

namespace tf {

class Game;

// Removes the texts of the frame that is left.
void ResetFrameTexts(Game& game);
// Creates the texts of the current frame.
void LoadTexts(Game& game);

}  // namespace tf
