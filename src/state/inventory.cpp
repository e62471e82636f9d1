#include "state/inventory.h"

namespace tf {

// Inventory objects are not built yet: nothing is picked up or removed.
void PickOrNotPickObject(Game&, int) {}
void RemovePickedObject(Game&, int) {}

}  // namespace tf
