#pragma once

#include <cstdint>

#include "platform/ui/controls.h"

namespace tf {

class Game;

// What an action asks of its caller.
enum ActionResult : int16_t {
  kActionDone = 0,
  kActionLeaveGame = 1,
  kActionOpenedFrame = 2,
};

void Area_MouseDown(Game& game, int index, const ui::MouseArgs& args);
void AniGifBox_MouseDown(Game& game, int index, const ui::MouseArgs& args);
// A press on an area: the menu for the right button, otherwise the area's
// object and action.
void AreaClick(Game& game, int16_t areaIndex, int16_t button);
// Performs the action of a click on an area (objectIndex 0) or of a drop of
// inventory object `objectIndex` on it.
int16_t MakeAction(Game& game, int16_t areaIndex, int16_t objectIndex);

}  // namespace tf
