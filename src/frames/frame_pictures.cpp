#include "frames/frame_pictures.h"

#include <string>
#include <utility>
#include <vector>

#include "areas/areas.h"
#include "frames/editor_and_game.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/path_resolver.h"

namespace tf {

// The frame's picture, mostly the largest, starts decoding at once, and each
// area's as soon as its file has named it, while the next files are read.
void PrefetchFramePictures(Game& game) {
  const Player& player = game.GetPlayer();
  const EditorAndGame& frames = player.frames;
  std::vector<std::string> framePicture;
  if (frames.FrameKind == 1 && !frames.FramePicture.empty())
    framePicture.push_back(StoredPathIn(player.paths.FramesPath, frames.FramePicture));
  player.platform.windows.PrefetchPictures(framePicture);
  ForEachStillAreaPicture(game, [&](std::string picture) {
    player.platform.windows.PrefetchMorePictures({std::move(picture)});
  });
}

}  // namespace tf
