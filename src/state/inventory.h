#pragma once

#include <string>

namespace tf {

class Game;

// Appends an object to the inventory, picked up from its object file.
void AddPickedObject(Game& game, const std::string& objectName);
// A click on an area puts the area's object, if it has one, into the
// inventory.
void PickOrNotPickObject(Game& game, int areaIndex);
// Takes object `objectIndex` (1 to ObjectsCount) out of the inventory: the
// later objects move back a cell, the cells stay where they are.
void RemovePickedObject(Game& game, int objectIndex);

}  // namespace tf
