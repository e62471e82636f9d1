#include <chrono>

#include "game/game_window.h"
#include "game/player.h"
#include "media/mmedia.h"
#include "media/music.h"
#include "platform/runtime/case_fold.h"

namespace tf {

namespace {
constexpr auto kVideoRecheck = std::chrono::milliseconds(50);
}  // namespace

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

bool WaitForMovie(Game& game, uint32_t closings) {
  game.GetPlayer().platform.events.ProcessEventsUntil(
      [&] {
        return game.Closings != closings || FoldCase(game.MovieMedia().Status()) == "stopped" ||
               game.SkipVideoRequest != 0;
      },
      kVideoRecheck);
  return game.Closings == closings;
}

}  // namespace tf
