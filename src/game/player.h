#pragma once

#include <memory>

#include "frames/editor_and_game.h"
#include "platform/platform.h"
#include "startup/project.h"

namespace tf {

class Welcome;
class Game;

// Everything one run of the program holds: the desktop it runs on, the
// project's paths and information, the frame module and the two windows.
struct Player {
  Player(const Platform& platform, std::string programFolder);
  ~Player();

  const Platform& platform;
  // The folder the paths are taken from: the program's, or one named on the
  // command line.
  std::string programFolder;
  ProjectPaths paths;
  ProjectInformation info;
  EditorAndGame frames{platform, paths, info};
  std::unique_ptr<Welcome> welcome;
  // Made when the first game starts; loaded again for every later one.
  std::unique_ptr<Game> game;

  // Makes the welcome window and runs its load; the window is then shown.
  void Start();
  // Loads the game window if it isn't loaded yet.
  Game& LoadGame();
};

}  // namespace tf
