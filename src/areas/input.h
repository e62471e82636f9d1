#pragma once

#include "platform/ui/controls.h"

namespace tf {

class Game;

// The in-game menu: its two entries show and hide together.
void ShowMenus(Game& game);
void HideMenus(Game& game);
void ToggleMenus(Game& game);

// Presses outside the areas, keys, and the menu's "Exit".
void Form_MouseDown(Game& game, const ui::MouseArgs& args);
void BackImage_MouseDown(Game& game, const ui::MouseArgs& args);
void Text_MouseDown(Game& game, int index, const ui::MouseArgs& args);
void PictureBox_KeyDown(Game& game, int keyCode, int shift);
void mnuExit_Click(Game& game);

}  // namespace tf
