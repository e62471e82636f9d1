#include "media/animated_gif.h"

#include "areas/area_click.h"
#include "game/error_message.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/cp1252.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "state/inventory_drag.h"

namespace tf {

namespace {
constexpr int16_t kDefaultSpeed = 50;

void Trace(Game& game, const std::string& line) { game.GetPlayer().platform.Trace("gif " + line); }
}  // namespace

int16_t AniGifNewWithIndex(Game& game, int16_t newIndex, const std::string& fileName, int16_t x,
                           int16_t y, int16_t speed) {
  if (fileName.empty() || newIndex < 1) return 0;
  ui::Container& box = game.AniGifBox.Load(newIndex);
  ui::AnimatedPicture& picture = game.AniGif.Load(newIndex);
  picture.SetContainer(&box);
  box.Move(x, y, box.Width(), box.Height());
  box.BringToFront();
  // A press on the picture is a press on its box, and so on its area.
  box.onMouseDown = [&game, newIndex](const ui::MouseArgs& args) {
    AniGifBox_MouseDown(game, newIndex, args);
  };
  picture.onMouseDown = box.onMouseDown;
  picture.onDragDrop = [&game, newIndex](const ui::Control& source, int x, int y) {
    AniGif_DragDrop(game, newIndex, source, x, y);
  };
  AniGifUpdate(game, newIndex, fileName, speed);
  return newIndex;
}

void AniGifUpdate(Game& game, int16_t index, const std::string& fileName, int16_t speed) {
  try {
    if (fileName.empty()) {
      game.AniGif.Unload(index);
      game.AniGifBox.Unload(index);
      return;
    }
    if (!StoredFileExists(fileName)) return;
    ui::AnimatedPicture& picture = game.AniGif[index];
    picture.LoadFile(fileName);
    picture.Move(0, 0, picture.Width(), picture.Height());
    picture.SetSpeed(speed > 0 ? speed : kDefaultSpeed);
    Trace(game, "load " + std::to_string(index) + " \"" +
                    TracePath(fileName, game.GetPlayer().paths.ProjectPath) + "\" " +
                    std::to_string(picture.Speed()));
    AniGifStart(game, index);
    picture.SetVisible(true);
    ui::Container& box = game.AniGifBox[index];
    box.SetWidth(picture.Width());
    box.SetHeight(picture.Height());
    if (game.Window().Visible()) game.Window().SetFocus();
  } catch (const RuntimeError&) {
    ShowErrorMessage(
        game.GetPlayer().platform,
        "Unable to load '" + DisplayPath(fileName, game.GetPlayer().paths.ProjectPath) + "'.");
  }
}

void AniGifStop(Game& game, int index) {
  game.AniGif[index].Stop();
  Trace(game, "stop " + std::to_string(index));
}

void AniGifStart(Game& game, int index) {
  game.AniGif[index].Start();
  Trace(game, "start " + std::to_string(index));
}

}  // namespace tf
