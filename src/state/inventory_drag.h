#pragma once

#include <cstdint>

#include "platform/ui/controls.h"

namespace tf {

class Game;

// A press on inventory object `index`: the right button toggles the menu,
// the left one starts dragging the object.
void PickedObject_MouseDown(Game& game, int index, const ui::MouseArgs& args);
// An object dropped on inventory object `index`: the two combine as the
// combination file of that order of names says.
void PickedObject_DragDrop(Game& game, int index, const ui::Control& source, int x, int y);
// An object dropped on area `index`, or on its animated picture: the area's
// action for that object.
void Area_DragDrop(Game& game, int index, const ui::Control& source, int x, int y);
void AniGif_DragDrop(Game& game, int index, const ui::Control& source, int x, int y);

}  // namespace tf
