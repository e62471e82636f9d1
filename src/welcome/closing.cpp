#include "welcome/closing.h"

#include "game/game_window.h"
#include "game/player.h"
#include "media/mmedia.h"
#include "startup/welcome_window.h"

namespace tf {

// Media and the display mode are restored here once they exist; the window
// always closes, its controls are unloaded and the welcome window comes back.
void Game_Unload(Game& game, bool&) {
  Player& player = game.GetPlayer();
  game.MusicMedia.mmClose();
  game.MovieMedia.mmClose();
  game.Window().Hide();
  game.Unload();
  player.platform.events.ProcessPendingEvents();
  player.welcome->Window().Show();
}

}  // namespace tf
