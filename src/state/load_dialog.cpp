#include "state/load_dialog.h"

#include "game/player.h"
#include "state/saved_games.h"

namespace tf {

frmLoadGame::frmLoadGame(Player& player)
    : SavedGamesDialog(player, "frmLoadGame", "Load a previously saved game", "LOAD"),
      Label1(form_->CreateLabel("Label1", nullptr)) {
  Place(List1, 8, 8, 257, 186);
  Place(Label1, 8, 200, 257, 25);
  Label1.SetCaption("Select the game you wish to load and click \"LOAD\".");
  Label1.SetTransparent(true);
  Command2.onClick = [this] { Load(); };
  List1.onDblClick = [this] { Load(); };
}

void frmLoadGame::Load() {
  const int selected = List1.ListIndex();
  if (selected < 0) {
    player_.platform.messages.Show("Please select the game you want to load.",
                                   ui::MessageButtons::Ok, ui::MessageIcon::Information,
                                   "Load previously saved game");
    return;
  }
  ReadSavedGame(player_, List1.List(selected), *form_);
}

void ShowLoadDialog(Player& player, const ui::Form& owner) {
  frmLoadGame dialog(player);
  dialog.LoadSaveGames();
  dialog.ShowModal(owner);
}

}  // namespace tf
