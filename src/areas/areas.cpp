#include "areas/areas.h"

namespace tf {

// Frames have no areas yet.
void ResetFrameAreas(Game&) {}
void LoadAreas(Game&) {}
void ShowOrNotShowAreas(Game&) {}

}  // namespace tf
