#include "welcome/game_screen.h"

#include <exception>

#include "game/game_window.h"
#include "game/player.h"

namespace tf {

namespace {
constexpr int kKeyF11 = ui::kKeyF1 + 10;

std::string Setting(const Player& player, const char* key, const char* fallback) {
  if (player.info.GameKey.empty()) return fallback;
  try {
    return player.platform.settings.Get("Games", player.info.GameKey, key).value_or(fallback);
  } catch (const std::exception&) {
    return fallback;
  }
}

void Store(const Player& player, const char* key, const std::string& value) {
  if (player.info.GameKey.empty()) return;
  try {
    player.platform.settings.Set("Games", player.info.GameKey, key, value);
  } catch (const std::exception&) {
    // The choice holds for this run only.
  }
}
}  // namespace

void ApplyScreenChoice(Game& game) {
  const Player& player = game.GetPlayer();
  game.Window().SetScaling(Setting(player, "Scaling", "smooth") == "sharp"
                               ? ui::Scaling::SharpInteger
                               : ui::Scaling::SmoothFit);
  game.Window().SetFullScreen(Setting(player, "FullScreen", "1") != "0");
}

bool Game_ScreenKey(Game& game, int keyCode, int shift) {
  const Player& player = game.GetPlayer();
  ui::Form& form = game.Window();
  const bool toggleFullScreen =
      (keyCode == kKeyF11 && shift == 0) || (keyCode == ui::kKeyReturn && shift == ui::kAltKey);
  if (toggleFullScreen) {
    form.SetFullScreen(!form.FullScreen());
    Store(player, "FullScreen", form.FullScreen() ? "1" : "0");
    return true;
  }
  if (keyCode == kKeyF11 && shift == ui::kShiftKey) {
    const bool sharp = form.GetScaling() == ui::Scaling::SharpInteger;
    form.SetScaling(sharp ? ui::Scaling::SmoothFit : ui::Scaling::SharpInteger);
    Store(player, "Scaling", sharp ? "smooth" : "sharp");
    return true;
  }
  return false;
}

}  // namespace tf
