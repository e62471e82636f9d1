#pragma once

namespace tf {

class Game;

// A click on an area puts the area's object, if it has one, into the
// inventory.
void PickOrNotPickObject(Game& game, int areaIndex);
// Takes an object out of the inventory.
void RemovePickedObject(Game& game, int objectIndex);

}  // namespace tf
