#include "frames/new_game.h"

#include "frames/open_frame.h"
#include "platform/runtime/checked_int16.h"
#include "platform/runtime/runtime_error.h"
#include "game/game_window.h"
#include "game/player.h"
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
    game.PictureBox.SetWidth(MulInt16(player.info.GameWidth, 15));
    game.PictureBox.SetHeight(MulInt16(player.info.GameHeight, 15));
    const int screenWidth = player.platform.display.ScreenWidth() * 15;
    const int screenHeight = player.platform.display.ScreenHeight() * 15;
    game.PictureBox.SetLeft(screenWidth / 2 - game.PictureBox.Width() / 2);
    game.PictureBox.SetTop(screenHeight / 2 - game.PictureBox.Height() / 2);
    game.BackImage.Move(0, 0, MulInt16(player.info.GameWidth, 15),
                        MulInt16(player.info.GameHeight, 15));
  } catch (const RuntimeError&) {
    player.platform.messages.Show(
        "An error has occured while initializing the game. The game may not work properly. "
        "Press 'Esc' and then click 'Exit' to quit the game.",
        ui::MessageButtons::Ok, ui::MessageIcon::Critical, "Error");
  }
}

void StartNewGame(Game& game) {
  LoadVariables(game);
  OpenFrame(game, game.GetPlayer().info.StartFrame);
}

}  // namespace tf
