#include "state/save_dialog.h"

namespace tf {

// Saved games and their dialogs are not built yet.
void mnuSaveGame_Click(Game&) {}

}  // namespace tf
