#pragma once

#include <string>

namespace tf {

class Game;

// Where the files of a frame's areas, actions and texts lie.
std::string FrameAreaFolder(const Game& game);
// The file of area `index` with that ending ("a.dat", "b.dat", "_Key.drg").
std::string AreaFile(const Game& game, int index, const std::string& ending);

}  // namespace tf
