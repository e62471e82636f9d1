#include "areas/area_files.h"

#include "frames/editor_and_game.h"
#include "game/game_window.h"
#include "game/player.h"

namespace tf {

std::string FrameAreaFolder(const Game& game) {
  const Player& player = game.GetPlayer();
  return player.paths.AreasPath + player.frames.CurrentFrameName + "/";
}

std::string AreaFile(const Game& game, int index, const std::string& ending) {
  return FrameAreaFolder(game) + std::to_string(index) + ending;
}

}  // namespace tf
