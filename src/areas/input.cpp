#include "areas/input.h"

#include "startup/game_window.h"

namespace tf {

// Every press and key asks a playing video to stop; the menu and its
// entries come with areas and actions.
void Game_MouseDown(Game& game, const ui::MouseArgs&) { game.SkipVideoRequest = -1; }
void BackImage_MouseDown(Game& game, const ui::MouseArgs&) { game.SkipVideoRequest = -1; }
void PictureBox_KeyDown(Game& game, int, int) { game.SkipVideoRequest = -1; }
void mnuExit_Click(Game&) {}

}  // namespace tf
