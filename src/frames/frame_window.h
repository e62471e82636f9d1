#pragma once

namespace tf {

class Game;

// Window events of the game window that the frame operations handle.
void Game_Load(Game& game);
void Game_Activate(Game& game);
void PictureBox_Paint(Game& game);
void Timer1_Timer(Game& game);

}  // namespace tf
