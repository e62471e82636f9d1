#pragma once

namespace tf {

class Game;

// The in-game menu's "Save game": opens the save dialog.
void mnuSaveGame_Click(Game& game);

}  // namespace tf
