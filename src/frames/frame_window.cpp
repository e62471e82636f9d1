#include "frames/frame_window.h"

#include "startup/game_window.h"
#include "startup/player.h"

namespace tf {

void Game_Load(Game& game) {
  const Display& display = game.GetPlayer().platform.display;
  game.Window().Move(0, 0, display.ScreenWidth() * 15, display.ScreenHeight() * 15);
}

void Game_Activate(Game& game) {
  if (game.Window().Visible()) game.Window().SetFocus();
}

// Tiled backgrounds are painted once frames are shown.
void PictureBox_Paint(Game&) {}

// Timed frames move on once frames are opened.
void Timer1_Timer(Game&) {}

}  // namespace tf
