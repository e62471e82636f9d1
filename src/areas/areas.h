#pragma once

#include <functional>
#include <string>

namespace tf {

class Game;

// Removes the areas and animated pictures of the frame that is left.
void ResetFrameAreas(Game& game);
// Creates areas 1 to FrameLinksCount of the current frame.
void LoadAreas(Game& game);
// The pictures LoadAreas will load for the current frame's still areas, in
// its order; areas whose files can't be read are left out.
void ForEachStillAreaPicture(const Game& game, const std::function<void(std::string)>& found);
// Shows each area that should be visible, hides the others.
void ShowOrNotShowAreas(Game& game);

}  // namespace tf
