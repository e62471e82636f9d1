#pragma once

#include "platform/ui/controls.h"

namespace tf {

class Game;

// Mouse and key input on the game screen, and the in-game menu.
void Game_MouseDown(Game& game, const ui::MouseArgs& args);
void BackImage_MouseDown(Game& game, const ui::MouseArgs& args);
void PictureBox_KeyDown(Game& game, int keyCode, int shift);
void mnuExit_Click(Game& game);

}  // namespace tf
