#include "frames/frame_window.h"

#include "frames/editor_and_game.h"
#include "frames/open_frame.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/checked_int16.h"
#include "platform/ui/twips.h"

namespace tf {

void Game_Load(Game& game) {
  const Display& display = game.GetPlayer().platform.display;
  game.Window().Move(0, 0, display.ScreenWidth() * ui::kTwipsPerPixel,
                     display.ScreenHeight() * ui::kTwipsPerPixel);
}

void Game_Activate(Game& game) {
  if (game.Window().Visible()) game.Window().SetFocus();
}

// Tiles the frame picture over the game screen, column by column, each from
// the top down; the last row and column are cut at the edge.
void PictureBox_Paint(Game& game) {
  if (!game.GetPlayer().frames.TilePicture || !game.ImageTile.HasPicture()) return;
  try {
    const int16_t screenWidth = ToInt16(static_cast<long long>(game.PictureBox.Width()));
    const int16_t tileWidth = ToInt16(static_cast<long long>(game.ImageTile.PictureWidth()));
    const int16_t screenHeight = ToInt16(static_cast<long long>(game.PictureBox.Height()));
    const int16_t tileHeight = ToInt16(static_cast<long long>(game.ImageTile.PictureHeight()));
    if (tileWidth <= 0 || tileHeight <= 0) return;
    for (int x = 0; x <= screenWidth; x += tileWidth)
      for (int y = 0; y <= screenHeight; y += tileHeight)
        game.PictureBox.PaintPicture(game.ImageTile, x, y, tileWidth, tileHeight);
  } catch (const RuntimeError&) {
    // A screen too large to measure in 16 bits is left unpainted.
  }
}

void Timer1_Timer(Game& game) {
  const std::string nextFrame = game.State.NextFrame;
  if (!nextFrame.empty()) OpenFrame(game, nextFrame);
}

}  // namespace tf
