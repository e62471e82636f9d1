#include "areas/input.h"

#include "game/game_window.h"
#include "game/player.h"
#include "media/music.h"

namespace tf {

namespace {
// A press on the frame background: while a video plays it only asks the
// video to end.
void BackgroundPress(Game& game, int button) {
  game.SkipVideoRequest = -1;
  if (PlayingMovieOrNot(game)) return;
  if (button == ui::kRightButton)
    ToggleMenus(game);
  else
    HideMenus(game);
}
}  // namespace

void ShowMenus(Game& game) {
  game.mnuExit.SetVisible(true);
  game.mnuSaveGame.SetVisible(true);
}

void HideMenus(Game& game) {
  game.mnuExit.SetVisible(false);
  game.mnuSaveGame.SetVisible(false);
}

void ToggleMenus(Game& game) {
  if (!game.mnuExit.Visible())
    ShowMenus(game);
  else
    HideMenus(game);
}

void Form_MouseDown(Game& game, const ui::MouseArgs& args) { BackgroundPress(game, args.button); }

void BackImage_MouseDown(Game& game, const ui::MouseArgs& args) {
  BackgroundPress(game, args.button);
}

void Text_MouseDown(Game& game, int, const ui::MouseArgs& args) {
  BackgroundPress(game, args.button);
}

void PictureBox_KeyDown(Game& game, int keyCode, int) {
  if (keyCode != ui::kKeyEscape) return;
  if (!PlayingMovieOrNot(game)) ToggleMenus(game);
  game.SkipVideoRequest = -1;
}

void mnuExit_Click(Game& game) {
  const Player& player = game.GetPlayer();
  ui::MessageAnswer answer =
      player.platform.messages.Show("Do you really want to quit?", ui::MessageButtons::YesNo,
                                    ui::MessageIcon::Question, player.info.GameTitle);
  if (answer == ui::MessageAnswer::Yes) game.Window().Close();
}

}  // namespace tf
