#include "frames/frame_pictures.h"

#include "areas/areas.h"
#include "frames/editor_and_game.h"
#include "game/game_window.h"
#include "game/player.h"

namespace tf {

void PrefetchFramePictures(Game& game) {
  const Player& player = game.GetPlayer();
  const EditorAndGame& frames = player.frames;
  std::vector<std::string> pictures;
  if (frames.FrameKind == 1 && !frames.FramePicture.empty())
    pictures.push_back(player.paths.FramesPath + frames.FramePicture);
  std::vector<std::string> areaPictures = StillAreaPictures(game);
  pictures.insert(pictures.end(), areaPictures.begin(), areaPictures.end());
  if (!pictures.empty()) player.platform.windows.PrefetchPictures(pictures);
}

}  // namespace tf
