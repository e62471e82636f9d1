#pragma once

#include <memory>
#include <string>

#include "platform/ui/form.h"

namespace tf {

struct Player;

// What the save and load dialogs share: a modal window of 272 x 257 pixels
// centred on the screen, the list of saved games, the default button that
// acts on them and the Cancel button.
class SavedGamesDialog {
 public:
  SavedGamesDialog(Player& player, const std::string& name, const std::string& caption,
                   const std::string& actionCaption);
  virtual ~SavedGamesDialog();

  ui::Form& Window() { return *form_; }
  // Fills List1 with the saved games, oldest first.
  void LoadSaveGames();
  // Shows the window modal over `owner`; returns when it has closed.
  void ShowModal(const ui::Form& owner) { form_->ShowModal(owner); }

 protected:
  // Position and size in pixels of the window's inside.
  static void Place(ui::Control& control, int left, int top, int width, int height);

  Player& player_;
  std::unique_ptr<ui::Form> form_;

 public:
  ui::ListBox& List1;
  ui::CommandButton& Command2;
  ui::CommandButton& Command1;
};

}  // namespace tf
