#include "welcome/closing.h"

#include <exception>

#include "frames/editor_and_game.h"
#include "game/game_window.h"
#include "game/player.h"
#include "media/mmedia.h"
#include "media/play_mp3s.h"
#include "media/sound_channels.h"
#include "startup/welcome_window.h"

namespace tf {

namespace {
template <class Step>
void Ignoring(Step&& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}
}  // namespace

// The window always closes: `cancel` stays as it is.
void Game_Unload(Game& game, bool&) {
  Player& player = game.GetPlayer();
  const Platform& platform = player.platform;
  ++game.Closings;
  game.MusicMedia().mmClose();
  game.MovieMedia().mmClose();
  StopMP3(game);
  ReleaseWaveMix(game);

  Ignoring([&] {
    while (game.AniGif.UBound() > 0) game.AniGif.Unload(game.AniGif.UBound());
  });
  Ignoring([&] { game.Window().Hide(); });
  Ignoring([&] { game.Unload(); });
  Ignoring([&] { platform.events.ProcessPendingEvents(); });
  player.frames.RestoreDisplayMode();
  Ignoring([&] { platform.events.ProcessPendingEvents(); });
  player.welcome->Window().Show();
}

}  // namespace tf
