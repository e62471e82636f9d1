#pragma once

#include <string>
#include <vector>

namespace tf {

class Game;

// Removes the areas and animated pictures of the frame that is left.
void ResetFrameAreas(Game& game);
// Creates areas 1 to FrameLinksCount of the current frame.
void LoadAreas(Game& game);
// The pictures LoadAreas will load for the current frame's still areas, in
// its order; areas whose files can't be read are left out.
std::vector<std::string> StillAreaPictures(const Game& game);
// Shows each area that should be visible, hides the others.
void ShowOrNotShowAreas(Game& game);

}  // namespace tf
