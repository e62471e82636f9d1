#include "state/inventory_drag.h"

#include "areas/area_click.h"
#include "areas/areas.h"
#include "areas/input.h"
#include "game/game_window.h"
#include "game/player.h"
#include "media/music.h"
#include "platform/runtime/case_fold.h"
#include "platform/runtime/path_resolver.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/text_reader.h"
#include "state/inventory.h"

namespace tf {

namespace {
// The dragged object's action on the area; the areas are decided again
// unless the game ends or another frame opened.
void DropOnArea(Game& game, int index, const ui::Control& source) {
  if (FoldCase(source.Name()) != "pickedobject") return;
  const uint32_t closings = game.Closings;
  const int16_t result = MakeAction(game, static_cast<int16_t>(index), game.DraggedObjectIndex);
  // The game window closed during the action: the rest was this game's.
  if (game.Closings != closings) return;
  if (result == kActionLeaveGame)
    game.Window().Close();
  else if (result != kActionOpenedFrame)
    ShowOrNotShowAreas(game);
}

// The combination file of `dragged` dropped on `target`, read and acted on
// flag by flag.
void Combine(Game& game, int dragged, int target) {
  const std::string& areasPath = game.GetPlayer().paths.AreasPath;
  const std::string fileName = areasPath + game.PickedObject[dragged].Tag() + "_on_" +
                               game.PickedObject[target].Tag() + ".drg";
  if (!StoredFileExists(fileName)) return;
  TextReader file = TextReader::Open(fileName);
  const bool removeDragged = file.ReadVariant().IsOne();
  if (removeDragged) RemovePickedObject(game, dragged);
  if (file.ReadVariant().IsOne()) {
    // Removing the dragged object moved a later target back by one.
    RemovePickedObject(game, removeDragged && dragged < target ? target - 1 : target);
  }
  const bool addNew = file.ReadVariant().IsOne();
  const std::string newObject = file.ReadVariant().ToText();
  if (addNew) AddPickedObject(game, newObject);
}
}  // namespace

void PickedObject_MouseDown(Game& game, int index, const ui::MouseArgs& args) {
  game.SkipVideoRequest = -1;
  if (PlayingMovieOrNot(game)) return;
  if (args.button == ui::kRightButton) {
    ToggleMenus(game);
    return;
  }
  HideMenus(game);
  if (args.button != ui::kLeftButton) return;
  game.DraggedObjectIndex = static_cast<int16_t>(index);
  game.PickedObject[index].Drag();
}

void PickedObject_DragDrop(Game& game, int index, const ui::Control& source, int, int) {
  if (source.Name() != "PickedObject" || index == game.DraggedObjectIndex) return;
  try {
    Combine(game, game.DraggedObjectIndex, index);
  } catch (const RuntimeError&) {
    game.GetPlayer().platform.messages.Show("Unable to combine items.", ui::MessageButtons::Ok,
                                            ui::MessageIcon::Critical, "Error");
  }
}

void Area_DragDrop(Game& game, int index, const ui::Control& source, int, int) {
  DropOnArea(game, index, source);
}

void AniGif_DragDrop(Game& game, int index, const ui::Control& source, int, int) {
  DropOnArea(game, index, source);
}

}  // namespace tf
