#pragma once

#include "platform/ui/message_boxes.h"
#include "state/saved_games_dialog.h"

namespace tf {

class Game;

// frmSaveGame: saves the running game under a name, and removes saves.
class frmSaveGame : public SavedGamesDialog {
 public:
  explicit frmSaveGame(Game& game);

  ui::CommandButton& Command3;
  ui::Label& Label2;
  ui::TextBox& Text1;

 private:
  void List1_Click();
  void Save();
  void Remove();
  ui::MessageAnswer Ask(const std::string& text, const std::string& title);
  void Tell(const std::string& text, const std::string& title);

  Game& game_;
};

// The in-game menu's "Save game": lists the saved games in the save dialog
// and shows it modal over the game window.
void mnuSaveGame_Click(Game& game);

}  // namespace tf
