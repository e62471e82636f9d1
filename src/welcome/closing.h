#pragma once

namespace tf {

class Game;

// The game window closes: back to the welcome window.
void Game_Unload(Game& game, bool& cancel);

}  // namespace tf
