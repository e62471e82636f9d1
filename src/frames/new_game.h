#pragma once

namespace tf {

class Game;

// Brings the game window back to a clean state for a new or loaded game.
void ResetAll(Game& game);
// Loads the variables and opens the start frame.
void StartNewGame(Game& game);

}  // namespace tf
