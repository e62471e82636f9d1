#pragma once

namespace tf {

class Game;

// How the game screen is shown, chosen per game and kept in its settings:
// fullscreen on the monitor the window is on or in a window ("FullScreen"
// "1" / "0"), scaled smoothly to fit or by whole multiples ("Scaling"
// "smooth" / "sharp").
void ApplyScreenChoice(Game& game);

// F11 and Alt+Enter toggle fullscreen, Shift+F11 the scaling. True when the
// key was one of these.
bool Game_ScreenKey(Game& game, int keyCode, int shift);

}  // namespace tf
