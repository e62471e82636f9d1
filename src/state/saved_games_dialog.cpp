#include "state/saved_games_dialog.h"

#include "game/player.h"
#include "platform/ui/twips.h"
#include "state/saved_games.h"

namespace tf {

namespace {
constexpr int kWidth = 272 * ui::kTwipsPerPixel;
constexpr int kHeight = 257 * ui::kTwipsPerPixel;
}  // namespace

void SavedGamesDialog::Place(ui::Control& control, int left, int top, int width, int height) {
  control.Move(left * ui::kTwipsPerPixel, top * ui::kTwipsPerPixel, width * ui::kTwipsPerPixel,
               height * ui::kTwipsPerPixel);
}

SavedGamesDialog::SavedGamesDialog(Player& player, const std::string& name,
                                   const std::string& caption, const std::string& actionCaption)
    : player_(player),
      form_(player.platform.windows.CreateForm(name, ui::FormStyle::Bordered)),
      List1(form_->CreateListBox("List1")),
      Command2(form_->CreateCommandButton("Command2", actionCaption)),
      Command1(form_->CreateCommandButton("Command1", "Cancel")) {
  form_->SetCaption(caption);
  const int screenWidth = player.platform.display.ScreenWidth() * ui::kTwipsPerPixel;
  const int screenHeight = player.platform.display.ScreenHeight() * ui::kTwipsPerPixel;
  form_->Move((screenWidth - kWidth) / 2, (screenHeight - kHeight) / 2, kWidth, kHeight);
  Place(Command2, 104, 224, 73, 25);
  Command2.SetDefault(true);
  Place(Command1, 192, 224, 73, 25);
  Command1.SetCancel(true);
  Command1.onClick = [this] { form_->Hide(); };
}

SavedGamesDialog::~SavedGamesDialog() = default;

void SavedGamesDialog::LoadSaveGames() {
  List1.Clear();
  for (const std::string& name : ListSavedGames(player_)) List1.AddItem(name);
}

}  // namespace tf
