#pragma once

#include <memory>
#include <string>

#include "game/game_state.h"
#include "game/project_info.h"
#include "platform/platform.h"
#include "platform/ui/handler.h"

namespace tf {

class EditorAndGame;
class Welcome;
class Game;

// Everything one run of the program holds: the desktop it runs on, the
// project's paths and information, the state of the game in play, the frame
// module and the two windows.
struct Player {
  Player(const Platform& platform, std::string programFolder);
  // The player keeps a reference to the platform: it must outlive it.
  Player(const Platform&& platform, std::string programFolder) = delete;
  ~Player();

  const Platform& platform;
  // The folder the paths are taken from: the program's, or one named on the
  // command line.
  std::string programFolder;
  ProjectPaths paths;
  ProjectInformation info;
  // Outlives the game window: a closed game keeps its variables until the
  // next one resets them.
  GameState state;

 private:
  // An error that escapes a handler of the player's windows shows its box.
  ui::EscapedErrorReportScope escapedErrors_;
  std::unique_ptr<EditorAndGame> frames_;

 public:
  // The frame module: its variables and the operations shared with the editor.
  EditorAndGame& frames;
  std::unique_ptr<Welcome> welcome;
  // Made when the first game starts; loaded again for every later one.
  std::unique_ptr<Game> game;

  // Makes the welcome window and runs its load; the window is then shown.
  void Start();
  // Loads the game window if it isn't loaded yet.
  Game& LoadGame();
};

}  // namespace tf
