#pragma once

#include "state/saved_games_dialog.h"

namespace tf {

// frmLoadGame: picks a saved game and loads it.
class frmLoadGame : public SavedGamesDialog {
 public:
  explicit frmLoadGame(Player& player);

  ui::Label& Label1;

 private:
  void Load();
};

// The welcome window's load image: lists the saved games in the load
// dialog and shows it modal over `owner`.
void ShowLoadDialog(Player& player, const ui::Form& owner);

}  // namespace tf
