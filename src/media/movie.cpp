#include "game/game_window.h"
#include "game/player.h"
#include "media/mmedia.h"
#include "media/music.h"
#include "platform/runtime/case_fold.h"

namespace tf {

void PlayMovieWithStop(Game& game, const std::string& path, ui::Container& surface) {
  game.Window().Show();
  std::string file = path;
  game.MovieMedia().PlayMovie(file, surface);
  game.GetPlayer().platform.events.ProcessPendingEvents();
  // Presses made while the video was being started don't end it.
  game.SkipVideoRequest = 0;
}

bool PlayingMovieOrNot(const Game& game) {
  return FoldCase(game.MovieMedia().Status()) == "playing";
}

}  // namespace tf
