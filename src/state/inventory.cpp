#include "state/inventory.h"

#include "game/game_window.h"

namespace tf {

// Inventory objects have no pictures or cells yet: only their names are kept.
void AddPickedObject(Game& game, const std::string& objectName) {
  game.State.CarriedObjects.push_back(objectName);
}
void PickOrNotPickObject(Game&, int) {}
void RemovePickedObject(Game&, int) {}

}  // namespace tf
