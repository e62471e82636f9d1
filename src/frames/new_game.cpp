#include "frames/new_game.h"

#include "frames/open_frame.h"
#include "game/error_message.h"
#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/checked_int16.h"
#include "platform/runtime/runtime_error.h"
#include "platform/ui/twips.h"
#include "state/variables.h"

namespace tf {

namespace {
void Empty(VariablesCollection& collection) {
  for (int32_t i = collection.Count(); i > 0; --i) collection.Remove(1);
}
}  // namespace

void ResetAll(Game& game) {
  const Player& player = game.GetPlayer();
  try {
    Empty(game.Variables);
    Empty(game.Disappear);
    game.State.CarriedObjects.clear();
    for (int i = 1, elements = game.PickedObject.Count(); i <= elements - 1; ++i)
      game.PickedObject.Unload(i);
    game.FramesHistory.Clear();
    game.Window().SetBackColor(ui::Rgb(0, 0, 0));
    game.PictureBox.SetBackColor(ui::Rgb(0, 0, 0));
    game.BackImage.SetLeft(0);
    game.BackImage.SetTop(0);
    // A control can't take a negative size.
    if (player.info.GameWidth < 0 || player.info.GameHeight < 0)
      RaiseError(kErrInvalidPropertyValue);
    game.PictureBox.SetWidth(MulInt16(player.info.GameWidth, ui::kTwipsPerPixel));
    game.PictureBox.SetHeight(MulInt16(player.info.GameHeight, ui::kTwipsPerPixel));
    const int screenWidth = player.platform.display.ScreenWidth() * ui::kTwipsPerPixel;
    const int screenHeight = player.platform.display.ScreenHeight() * ui::kTwipsPerPixel;
    game.PictureBox.SetLeft(screenWidth / 2 - game.PictureBox.Width() / 2);
    game.PictureBox.SetTop(screenHeight / 2 - game.PictureBox.Height() / 2);
    game.BackImage.Move(0, 0, MulInt16(player.info.GameWidth, ui::kTwipsPerPixel),
                        MulInt16(player.info.GameHeight, ui::kTwipsPerPixel));
  } catch (const RuntimeError&) {
    ShowErrorMessage(player.platform, "An error has occured while initializing the game.");
  }
}

void StartNewGame(Game& game) {
  LoadVariables(game);
  OpenFrame(game, game.GetPlayer().info.StartFrame);
}

}  // namespace tf
