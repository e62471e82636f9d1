#include "state/save_dialog.h"

#include "game/game_window.h"
#include "game/player.h"
#include "platform/runtime/cp1252.h"
#include "state/saved_games.h"

namespace tf {

frmSaveGame::frmSaveGame(Game& game)
    : SavedGamesDialog(game.GetPlayer(), "frmSaveGame", "Save the current game", "SAVE"),
      Command3(form_->CreateCommandButton("Command3", "Remove Selected")),
      Label2(form_->CreateLabel("Label2", nullptr)),
      Text1(form_->CreateTextBox("Text1")),
      game_(game) {
  Place(List1, 8, 8, 257, 134);
  Place(Command3, 160, 144, 105, 25);
  Place(Label2, 8, 176, 257, 17);
  Label2.SetCaption("Enter the name of the game you want to save:");
  Label2.SetTransparent(true);
  Place(Text1, 8, 192, 257, 19);
  form_->onActivate = [this] { Text1.SetFocus(); };
  List1.onClick = [this] { List1_Click(); };
  List1.onDblClick = [this] {
    List1_Click();
    Save();
  };
  Command2.onClick = [this] { Save(); };
  Command3.onClick = [this] { Remove(); };
}

ui::MessageAnswer frmSaveGame::Ask(const std::string& text, const std::string& title) {
  return player_.platform.messages.Show(text, ui::MessageButtons::OkCancel,
                                        ui::MessageIcon::Question, title);
}

void frmSaveGame::Tell(const std::string& text, const std::string& title) {
  player_.platform.messages.Show(text, ui::MessageButtons::Ok, ui::MessageIcon::Information, title);
}

void frmSaveGame::List1_Click() {
  if (List1.ListIndex() >= 0) Text1.SetText(List1.List(List1.ListIndex()));
}

void frmSaveGame::Save() {
  const std::string name = Text1.Text();
  if (name.empty()) {
    Tell("Please enter the name of the game you want to save.", "Save game");
    return;
  }
  if (SavedGameExists(player_.paths, name) &&
      Ask("'" + Utf8ToCp1252Lossy(name) + "' already exists. Do you want to replace it?",
          "Save game") != ui::MessageAnswer::Ok)
    return;
  if (!WriteSavedGame(game_, name)) return;
  LoadSaveGames();
  form_->Hide();
}

void frmSaveGame::Remove() {
  const int selected = List1.ListIndex();
  if (selected < 0) {
    Tell("Please select the game you want to remove.", "Remove saved game");
    return;
  }
  const std::string name = List1.List(selected);
  if (Ask("Do you really want to remove '" + SavedGamePath(player_.paths, name) +
              "'?\r\n\r\nClick 'Cancel' to abort.",
          "Remove saved game") != ui::MessageAnswer::Ok)
    return;
  RemoveSavedGame(player_, name);
  LoadSaveGames();
}

void mnuSaveGame_Click(Game& game) {
  frmSaveGame dialog(game);
  dialog.LoadSaveGames();
  dialog.ShowModal(game.Window());
}

}  // namespace tf
