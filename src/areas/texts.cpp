#include "areas/texts.h"

namespace tf {

// Frames have no texts yet.
void ResetFrameTexts(Game&) {}
void LoadTexts(Game&) {}

}  // namespace tf
