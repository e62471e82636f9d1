#pragma once

namespace tf {

class Game;

// Removes the areas and animated pictures of the frame that is left.
void ResetFrameAreas(Game& game);
// Creates areas 1 to FrameLinksCount of the current frame.
void LoadAreas(Game& game);
// Shows each area that should be visible, hides the others.
void ShowOrNotShowAreas(Game& game);

}  // namespace tf
